<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Engine</name>
    <message>
        <source>USER_CACHE</source>
        <translation>User Caches</translation>
    </message>
    <message>
        <source>CACHE</source>
        <translation>Cache</translation>
    </message>
    <message>
        <source>MAPS_CACHE</source>
        <translation>Maps Cache</translation>
    </message>
    <message>
        <source>SUGGESTIONS</source>
        <translation>Maps Suggestions</translation>
    </message>
    <message>
        <source>MUSIC_CACHE</source>
        <translation>Music Cache</translation>
    </message>
    <message>
        <source>ALBUM_COVER_CACHE</source>
        <translation>Album Artwork Cache</translation>
    </message>
    <message>
        <source>APPLE_TV_FINDER</source>
        <translation>TV Cache</translation>
    </message>
    <message>
        <source>SAFARI</source>
        <translation>Safari Cache</translation>
    </message>
    <message>
        <source>FACETIME_CACHE</source>
        <translation>FaceTime Cache</translation>
    </message>
    <message>
        <source>MESSAGES_CACHE</source>
        <translation>Messages Cache</translation>
    </message>
    <message>
        <source>SPOTIFY_CACHE</source>
        <translation>Spotify Cache</translation>
    </message>
    <message>
        <source>THUNDERBIRD</source>
        <translation>Thunderbird</translation>
    </message>
    <message>
        <source>CHROME_BROWSER</source>
        <translation>Google Chrome</translation>
    </message>
    <message>
        <source>BRAVE_BROWSER</source>
        <translation>Brave Browser</translation>
    </message>
    <message>
        <source>FIREFOX</source>
        <translation>Firefox</translation>
    </message>
    <message>
        <source>WHATSAPP_CACHE</source>
        <translation>WhatsApp Cache</translation>
    </message>
    <message>
        <source>MAIL_ATTACHMENTS</source>
        <translation>Mail Attachments</translation>
    </message>
    <message>
        <source>APPLICATION_CRASHES</source>
        <translation>Crash Reports</translation>
    </message>
    <message>
        <source>VIVALDI</source>
        <translation>Vivaldi</translation>
    </message>
    <message>
        <source>SAVED_APPLICATION_STATES</source>
        <translation>Saved Application States</translation>
    </message>
    <message>
        <source>RECYCLE_BIN</source>
        <translation>Trash</translation>
    </message>
    <message>
        <source>XCODE_CACHE</source>
        <translation>Xcode Developer Files</translation>
    </message>
    <message>
        <source>DERIVED_DATA</source>
        <translation>Derived Data</translation>
    </message>
    <message>
        <source>IOS_DEVICE_SUPPORT</source>
        <translation>iOS Device Support</translation>
    </message>
    <message>
        <source>ARCHIVES</source>
        <translation>Archives</translation>
    </message>
    <message>
        <source>OLD_APP_VERSIONS</source>
        <translation>Old App Versions</translation>
    </message>
    <message>
        <source>REMNANTS</source>
        <translation>App Remnants</translation>
    </message>
    <message>
        <source>XDG_CACHE</source>
        <translation>Application Caches</translation>
    </message>
    <message>
        <source>THUMBNAILS</source>
        <translation>Thumbnails</translation>
    </message>
    <message>
        <source>FREEDESKTOP_TRASH</source>
        <translation>Trash</translation>
    </message>
    <message>
        <source>TRASH_ORPHANED_RECORDS</source>
        <translation>Trash records without files</translation>
    </message>
    <message>
        <source>FIREFOX_CACHE</source>
        <translation>Firefox</translation>
    </message>
    <message>
        <source>THUNDERBIRD_CACHE</source>
        <translation>Thunderbird</translation>
    </message>
    <message>
        <source>CHROME_CACHE</source>
        <translation>Google Chrome</translation>
    </message>
    <message>
        <source>CHROMIUM_CACHE</source>
        <translation>Chromium</translation>
    </message>
    <message>
        <source>BRAVE_CACHE</source>
        <translation>Brave</translation>
    </message>
    <message>
        <source>EDGE_CACHE</source>
        <translation>Microsoft Edge</translation>
    </message>
    <message>
        <source>VIVALDI_CACHE</source>
        <translation>Vivaldi</translation>
    </message>
    <message>
        <source>VSCODE_CACHE</source>
        <translation>Visual Studio Code</translation>
    </message>
    <message>
        <source>SLACK_CACHE</source>
        <translation>Slack</translation>
    </message>
    <message>
        <source>DISCORD_CACHE</source>
        <translation>Discord</translation>
    </message>
    <message>
        <source>SIGNAL_CACHE</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>CHROMIUM_PROGRAMS</source>
        <translation>Other Chromium-Based Programs</translation>
    </message>
    <message>
        <source>SANDBOX_CACHES</source>
        <translation>Sandboxed Application Caches</translation>
    </message>
    <message>
        <source>SPOTIFY</source>
        <translation>Spotify</translation>
    </message>
    <message>
        <source>DEVELOPER_CACHES</source>
        <translation>Developer Caches</translation>
    </message>
    <message>
        <source>PIP_CACHE</source>
        <translation>pip Cache</translation>
    </message>
    <message>
        <source>NPM_CACHE</source>
        <translation>npm Cache</translation>
    </message>
    <message>
        <source>YARN_CACHE</source>
        <translation>Yarn Cache</translation>
    </message>
    <message>
        <source>GO_BUILD_CACHE</source>
        <translation>Go Build Cache</translation>
    </message>
    <message>
        <source>CARGO_CACHE</source>
        <translation>Cargo Cache</translation>
    </message>
    <message>
        <source>GRADLE_CACHE</source>
        <translation>Gradle Cache</translation>
    </message>
    <message>
        <source>OLD_VERSIONS</source>
        <translation>Old Versions</translation>
    </message>
    <message>
        <source>CRASH_REPORTS</source>
        <translation>Crash Reports</translation>
    </message>
    <message>
        <source>STEAM_CACHE</source>
        <translation>Steam</translation>
    </message>
    <message>
        <source>TELEGRAM_CACHE</source>
        <translation>Telegram</translation>
    </message>
    <message>
        <source>GO_MODULE_CACHE</source>
        <translation>Go Module Cache</translation>
    </message>
    <message>
        <source>MAVEN_REPOSITORY</source>
        <translation>Maven Repository</translation>
    </message>
    <message>
        <source>JETBRAINS_IDE_CACHE</source>
        <translation>%1 Caches</translation>
    </message>
    <message>
        <source>FIREFOX_CRASH_REPORTS</source>
        <translation>Firefox Crash Reports</translation>
    </message>
    <message>
        <source>TRASH_EXPUNGED</source>
        <translation>Left over from emptying the trash</translation>
    </message>
    <message>
        <source>WINE_TEMP</source>
        <translation>Wine Temporary Files</translation>
    </message>
    <message>
        <source>LOGS</source>
        <translation>Logs</translation>
    </message>
    <message>
        <source>SESSION_LOGS</source>
        <translation>Session Logs</translation>
    </message>
    <message>
        <source>NPM_LOGS</source>
        <translation>npm Logs</translation>
    </message>
    <message>
        <source>GRADLE_DAEMON_LOGS</source>
        <translation>Gradle Daemon Logs</translation>
    </message>
    <message>
        <source>STEAM_LOGS</source>
        <translation>Steam Logs</translation>
    </message>
    <message>
        <source>TELEGRAM_LOGS</source>
        <translation>Telegram Logs</translation>
    </message>
    <message>
        <source>VSCODE_LOGS</source>
        <translation>Visual Studio Code Logs</translation>
    </message>
    <message numerus="yes">
        <source>ITEM_COUNT</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>LOCATION_COUNT</source>
        <translation>
            <numerusform>%n location</numerusform>
            <numerusform>%n locations</numerusform>
        </translation>
    </message>
</context>
</TS>
