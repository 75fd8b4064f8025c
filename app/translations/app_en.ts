<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>App</name>
    <message numerus="yes">
        <source>SELECTED_FILES</source>
        <translation>
            <numerusform>%n item selected, %1</numerusform>
            <numerusform>%n items selected, %1</numerusform>
        </translation>
    </message>
    <message>
        <source>SIZE</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>PROMPT</source>
        <translation>Grant Access</translation>
    </message>
    <message>
        <source>TITLE</source>
        <translation>Sorvane</translation>
    </message>
    <message>
        <source>HEADER</source>
        <translation>Finds caches, leftovers and other junk in your account and removes exactly what you select.</translation>
    </message>
    <message>
        <source>LIBRARY</source>
        <translation>Library Folder</translation>
    </message>
    <message>
        <source>LIBRARY_INFO</source>
        <translation>Sorvane looks for caches, crash reports and saved states in your Library folder. Choose it to grant access.</translation>
    </message>
    <message>
        <source>USER</source>
        <translation>Home Folder</translation>
    </message>
    <message>
        <source>USER_INFO</source>
        <translation>Sorvane needs your home folder to find the Library folder and application data. Choose it to grant access.</translation>
    </message>
    <message>
        <source>GRANT_PERMISSION</source>
        <translation>Grant Access</translation>
    </message>
    <message>
        <source>WRONG_DIRECTORY_CHOSEN</source>
        <translation>Wrong Folder</translation>
    </message>
    <message>
        <source>WRONG_DIRECTORY_CHOSEN_INFO</source>
        <translation>The chosen folder is not the one Sorvane asked for. Please choose the folder the panel opened in.</translation>
    </message>
    <message>
        <source>CLEANING</source>
        <translation>Cleaning…</translation>
    </message>
    <message>
        <source>NO_RESULTS</source>
        <translation>Nothing to clean</translation>
    </message>
    <message>
        <source>NO_FILTER_RESULTS</source>
        <translation>No results for this search</translation>
    </message>
    <message>
        <source>SELECT_ALL</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>UNSELECT_ALL</source>
        <translation>Unselect All</translation>
    </message>
    <message>
        <source>DELETE_FILES</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>LIST_STYLE</source>
        <translation>Sort by</translation>
    </message>
    <message>
        <source>APP_RUNNING</source>
        <translation>Application is running</translation>
    </message>
    <message>
        <source>APP_NOT_RUNNING</source>
        <translation>Application is not running</translation>
    </message>
    <message>
        <source>SEARCH</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>REVEAL</source>
        <translation>Show in File Manager</translation>
    </message>
    <message>
        <source>ACCESSIBLE_ROW</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>KEEP</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>ROW_ACTIONS</source>
        <translation>More actions for %1</translation>
    </message>
    <message>
        <source>KEEP_FAILED</source>
        <translation>The keep list was not changed</translation>
    </message>
    <message>
        <source>KEEP_LIST_UNREADABLE</source>
        <translation>The keep list could not be read</translation>
    </message>
    <message>
        <source>KEPT</source>
        <translation>Kept</translation>
    </message>
    <message>
        <source>KEPT_INFO</source>
        <translation>Sorvane never offers, counts or deletes these locations. An entry you remove is offered again at the next search.</translation>
    </message>
    <message>
        <source>KEPT_EMPTY</source>
        <translation>Nothing is kept yet. To keep a result, choose Keep in its context menu.</translation>
    </message>
    <message numerus="yes">
        <source>KEPT_HOLDS</source>
        <translation>
            <numerusform>%n location, %1</numerusform>
            <numerusform>%n locations, %1</numerusform>
        </translation>
    </message>
    <message>
        <source>MEASURING</source>
        <translation>measuring…</translation>
    </message>
    <message>
        <source>AT_LEAST</source>
        <translation>at least %1</translation>
    </message>
    <message>
        <source>BUILT_IN</source>
        <translation>Built in: %1</translation>
    </message>
    <message>
        <source>REMOVE</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>STOP_SEARCH_DESCRIPTION</source>
        <translation>Stops the search and shows what the categories searched so far found</translation>
    </message>
    <message>
        <source>STOP_CLEANING_DESCRIPTION</source>
        <translation>Stops the cleaning after the current item and shows what it did</translation>
    </message>
    <message>
        <source>SEARCH_STOPPED</source>
        <translation>The search was stopped: only the categories searched until then are shown.</translation>
    </message>
    <message>
        <source>CLEANING_BYTES</source>
        <translation>%1 of %2 removed</translation>
    </message>
    <message>
        <source>SUMMARY_TITLE</source>
        <translation>Cleaning Finished</translation>
    </message>
    <message>
        <source>SUMMARY_STOPPED_TITLE</source>
        <translation>Cleaning Stopped</translation>
    </message>
    <message>
        <source>SUMMARY_FREED</source>
        <translation>%1 freed on disk</translation>
    </message>
    <message>
        <source>SUMMARY_FREED_ON</source>
        <translation>%1 on the file system %2</translation>
    </message>
    <message>
        <source>SUMMARY_HISTORY</source>
        <translation>Cleaning History</translation>
    </message>
    <message>
        <source>SUMMARY_HISTORY_DESCRIPTION</source>
        <translation>Shows the journal of every cleaning in the file manager: %1</translation>
    </message>
    <message>
        <source>SEARCH_AGAIN</source>
        <translation>Search Again</translation>
    </message>
    <message>
        <source>REMAINING_ROW</source>
        <translation>%1: %2 %3</translation>
    </message>
    <message>
        <source>REVEAL_LOCATION</source>
        <translation>Show %1 in the file manager</translation>
    </message>
    <message>
        <source>REASON_PERMISSION_DENIED</source>
        <translation>You lack the permission to remove it.</translation>
    </message>
    <message>
        <source>REASON_READ_ONLY</source>
        <translation>It lies on a read-only file system.</translation>
    </message>
    <message>
        <source>REASON_MOUNT_POINT</source>
        <translation>Another file system is mounted there.</translation>
    </message>
    <message>
        <source>REASON_KEPT</source>
        <translation>The Kept list keeps it.</translation>
    </message>
    <message>
        <source>REASON_ALREADY_GONE</source>
        <translation>It was no longer there.</translation>
    </message>
    <message>
        <source>REASON_STOPPED</source>
        <translation>The cleaning was stopped before it came to it.</translation>
    </message>
    <message>
        <source>REASON_FAILED</source>
        <translation>It could not be removed.</translation>
    </message>
    <message numerus="yes">
        <source>CLEANING_ITEMS</source>
        <translation>
            <numerusform>%1 of %n item</numerusform>
            <numerusform>%1 of %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>SUMMARY_CLEANED</source>
        <translation>
            <numerusform>%n item cleaned</numerusform>
            <numerusform>%n items cleaned</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>SUMMARY_REMAINING</source>
        <translation>
            <numerusform>%n location stayed</numerusform>
            <numerusform>%n locations stayed</numerusform>
        </translation>
    </message>
    <message>
        <source>CLEAN_AUTOMATICALLY</source>
        <translation>Clean Automatically</translation>
    </message>
    <message>
        <source>SCHEDULE_INFO</source>
        <translation>Sorvane cleans the chosen categories on its own, as often as you choose, when your computer is idle. A category whose program is running is left for the next time; the Kept list holds as always.</translation>
    </message>
    <message>
        <source>DAILY</source>
        <translation>Daily</translation>
    </message>
    <message>
        <source>WEEKLY</source>
        <translation>Weekly</translation>
    </message>
    <message>
        <source>MONTHLY</source>
        <translation>Monthly</translation>
    </message>
    <message>
        <source>SCHEDULE_EVERY</source>
        <translation>How often</translation>
    </message>
    <message>
        <source>SCHEDULE_OLDER_THAN</source>
        <translation>Only what is older than (days, 0 for any age)</translation>
    </message>
    <message>
        <source>SCHEDULE_NEXT</source>
        <translation>Next run: %1</translation>
    </message>
    <message>
        <source>SCHEDULE_NEXT_UNKNOWN</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>SCHEDULE_NO_RUN</source>
        <translation>No cleaning yet.</translation>
    </message>
    <message>
        <source>SCHEDULE_LAST_RUN</source>
        <translation>Last cleaning: %1, %2 removed, %3 remaining, %4 kept</translation>
    </message>
    <message>
        <source>SCHEDULE_CONFIRM</source>
        <translation>Clean Automatically</translation>
    </message>
    <message>
        <source>SCHEDULE_TURN_OFF</source>
        <translation>Turn Off</translation>
    </message>
    <message>
        <source>SCHEDULE_ENABLED</source>
        <translation>The schedule is set.</translation>
    </message>
    <message>
        <source>SCHEDULE_NOT_ENABLED</source>
        <translation>The schedule is written, but no user service manager enabled it (%1). Run: systemctl --user daemon-reload; systemctl --user enable --now sorvane-clean.timer</translation>
    </message>
    <message>
        <source>SCHEDULE_NOT_WRITTEN</source>
        <translation>The schedule could not be written: %1</translation>
    </message>
    <message>
        <source>SCHEDULE_REMOVED</source>
        <translation>Nothing is cleaned automatically any more.</translation>
    </message>
    <message>
        <source>SCHEDULE_NOT_REMOVED</source>
        <translation>The schedule could not be removed: %1</translation>
    </message>
    <message>
        <source>SCHEDULE_NO_CLI</source>
        <translation>sorvane-cli is not installed, so nothing can be cleaned automatically.</translation>
    </message>
    <message>
        <source>AGE_LIMIT</source>
        <translation>Age</translation>
    </message>
    <message>
        <source>ANY_AGE</source>
        <translation>Any age</translation>
    </message>
    <message>
        <source>UNUSED_7_DAYS</source>
        <translation>Not used for 7 days</translation>
    </message>
    <message>
        <source>UNUSED_30_DAYS</source>
        <translation>Not used for 30 days</translation>
    </message>
    <message>
        <source>UNUSED_90_DAYS</source>
        <translation>Not used for 90 days</translation>
    </message>
</context>
</TS>
