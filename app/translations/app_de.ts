<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>App</name>
    <message numerus="yes">
        <source>SELECTED_FILES</source>
        <translation>
            <numerusform>%n Objekt ausgewählt, %1</numerusform>
            <numerusform>%n Objekte ausgewählt, %1</numerusform>
        </translation>
    </message>
    <message>
        <source>SIZE</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>PROMPT</source>
        <translation>Zugriff gewähren</translation>
    </message>
    <message>
        <source>TITLE</source>
        <translation>Sorvane</translation>
    </message>
    <message>
        <source>HEADER</source>
        <translation>Findet Caches, Überreste und anderen Ballast in Ihrem Konto und entfernt genau das, was Sie auswählen.</translation>
    </message>
    <message>
        <source>LIBRARY</source>
        <translation>Library-Ordner</translation>
    </message>
    <message>
        <source>LIBRARY_INFO</source>
        <translation>Sorvane sucht im Library-Ordner nach Caches, Absturzberichten und gespeicherten Zuständen. Wählen Sie ihn aus, um den Zugriff zu erlauben.</translation>
    </message>
    <message>
        <source>USER</source>
        <translation>Benutzerordner</translation>
    </message>
    <message>
        <source>USER_INFO</source>
        <translation>Sorvane braucht Ihren Benutzerordner, um den Library-Ordner und Programmdaten zu finden. Wählen Sie ihn aus, um den Zugriff zu erlauben.</translation>
    </message>
    <message>
        <source>GRANT_PERMISSION</source>
        <translation>Zugriff erlauben</translation>
    </message>
    <message>
        <source>WRONG_DIRECTORY_CHOSEN</source>
        <translation>Falscher Ordner</translation>
    </message>
    <message>
        <source>WRONG_DIRECTORY_CHOSEN_INFO</source>
        <translation>Der gewählte Ordner ist nicht der erfragte. Bitte wählen Sie den Ordner, in dem sich der Dialog geöffnet hat.</translation>
    </message>
    <message>
        <source>CLEANING</source>
        <translation>Wird bereinigt …</translation>
    </message>
    <message>
        <source>NO_RESULTS</source>
        <translation>Nichts zu bereinigen</translation>
    </message>
    <message>
        <source>NO_FILTER_RESULTS</source>
        <translation>Keine Treffer für diese Suche</translation>
    </message>
    <message>
        <source>SELECT_ALL</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>UNSELECT_ALL</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message>
        <source>DELETE_FILES</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>LIST_STYLE</source>
        <translation>Sortieren nach</translation>
    </message>
    <message>
        <source>APP_RUNNING</source>
        <translation>Programm läuft</translation>
    </message>
    <message>
        <source>APP_NOT_RUNNING</source>
        <translation>Programm läuft nicht</translation>
    </message>
    <message>
        <source>SEARCH</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>REVEAL</source>
        <translation>Im Dateimanager zeigen</translation>
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
        <translation>Behalten</translation>
    </message>
    <message>
        <source>ROW_ACTIONS</source>
        <translation>Weitere Aktionen für %1</translation>
    </message>
    <message>
        <source>KEEP_FAILED</source>
        <translation>Die Behalten-Liste wurde nicht geändert</translation>
    </message>
    <message>
        <source>KEEP_LIST_UNREADABLE</source>
        <translation>Die Behalten-Liste konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>KEPT</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>KEPT_INFO</source>
        <translation>Sorvane bietet diese Orte nie an, zählt sie nicht mit und löscht sie nie. Ein Eintrag, den Sie entfernen, wird bei der nächsten Suche wieder angeboten.</translation>
    </message>
    <message>
        <source>KEPT_EMPTY</source>
        <translation>Noch wird nichts behalten. Um ein Ergebnis zu behalten, wählen Sie „Behalten“ in seinem Kontextmenü.</translation>
    </message>
    <message numerus="yes">
        <source>KEPT_HOLDS</source>
        <translation>
            <numerusform>%n Ort, %1</numerusform>
            <numerusform>%n Orte, %1</numerusform>
        </translation>
    </message>
    <message>
        <source>MEASURING</source>
        <translation>wird gemessen …</translation>
    </message>
    <message>
        <source>AT_LEAST</source>
        <translation>mindestens %1</translation>
    </message>
    <message>
        <source>BUILT_IN</source>
        <translation>Eingebaut: %1</translation>
    </message>
    <message>
        <source>REMOVE</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>STOP_SEARCH_DESCRIPTION</source>
        <translation>Hält die Suche an und zeigt, was die bis dahin durchsuchten Kategorien gefunden haben</translation>
    </message>
    <message>
        <source>STOP_CLEANING_DESCRIPTION</source>
        <translation>Hält die Bereinigung nach dem aktuellen Objekt an und zeigt, was sie getan hat</translation>
    </message>
    <message>
        <source>SEARCH_STOPPED</source>
        <translation>Die Suche wurde angehalten: Nur die bis dahin durchsuchten Kategorien werden gezeigt.</translation>
    </message>
    <message>
        <source>CLEANING_BYTES</source>
        <translation>%1 von %2 entfernt</translation>
    </message>
    <message>
        <source>SUMMARY_TITLE</source>
        <translation>Bereinigung abgeschlossen</translation>
    </message>
    <message>
        <source>SUMMARY_STOPPED_TITLE</source>
        <translation>Bereinigung angehalten</translation>
    </message>
    <message>
        <source>SUMMARY_FREED</source>
        <translation>%1 auf dem Datenträger freigegeben</translation>
    </message>
    <message>
        <source>SUMMARY_FREED_ON</source>
        <translation>%1 auf dem Dateisystem %2</translation>
    </message>
    <message>
        <source>SUMMARY_HISTORY</source>
        <translation>Bereinigungsverlauf</translation>
    </message>
    <message>
        <source>SUMMARY_HISTORY_DESCRIPTION</source>
        <translation>Zeigt das Protokoll aller Bereinigungen im Dateimanager: %1</translation>
    </message>
    <message>
        <source>SEARCH_AGAIN</source>
        <translation>Erneut suchen</translation>
    </message>
    <message>
        <source>REMAINING_ROW</source>
        <translation>%1: %2 %3</translation>
    </message>
    <message>
        <source>REVEAL_LOCATION</source>
        <translation>%1 im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>REASON_PERMISSION_DENIED</source>
        <translation>Die Berechtigung zum Entfernen fehlt.</translation>
    </message>
    <message>
        <source>REASON_READ_ONLY</source>
        <translation>Es liegt auf einem schreibgeschützten Dateisystem.</translation>
    </message>
    <message>
        <source>REASON_MOUNT_POINT</source>
        <translation>Dort ist ein anderes Dateisystem eingehängt.</translation>
    </message>
    <message>
        <source>REASON_KEPT</source>
        <translation>Die Behalten-Liste behält es.</translation>
    </message>
    <message>
        <source>REASON_ALREADY_GONE</source>
        <translation>Es war nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>REASON_STOPPED</source>
        <translation>Die Bereinigung wurde angehalten, bevor sie dort ankam.</translation>
    </message>
    <message>
        <source>REASON_FAILED</source>
        <translation>Es konnte nicht entfernt werden.</translation>
    </message>
    <message numerus="yes">
        <source>CLEANING_ITEMS</source>
        <translation>
            <numerusform>%1 von %n Objekt</numerusform>
            <numerusform>%1 von %n Objekten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>SUMMARY_CLEANED</source>
        <translation>
            <numerusform>%n Objekt bereinigt</numerusform>
            <numerusform>%n Objekte bereinigt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>SUMMARY_REMAINING</source>
        <translation>
            <numerusform>%n Ort ist geblieben</numerusform>
            <numerusform>%n Orte sind geblieben</numerusform>
        </translation>
    </message>
    <message>
        <source>CLEAN_AUTOMATICALLY</source>
        <translation>Automatisch aufräumen</translation>
    </message>
    <message>
        <source>SCHEDULE_INFO</source>
        <translation>Sorvane räumt die gewählten Kategorien selbst auf, so oft Sie wählen, wenn Ihr Computer ruht. Eine Kategorie, deren Programm läuft, bleibt bis zum nächsten Mal; die Liste „Behalten“ gilt wie immer.</translation>
    </message>
    <message>
        <source>DAILY</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>WEEKLY</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>MONTHLY</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>SCHEDULE_EVERY</source>
        <translation>Wie oft</translation>
    </message>
    <message>
        <source>SCHEDULE_OLDER_THAN</source>
        <translation>Nur was älter ist als (Tage, 0 für jedes Alter)</translation>
    </message>
    <message>
        <source>SCHEDULE_NEXT</source>
        <translation>Nächster Lauf: %1</translation>
    </message>
    <message>
        <source>SCHEDULE_NEXT_UNKNOWN</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>SCHEDULE_NO_RUN</source>
        <translation>Noch keine Bereinigung.</translation>
    </message>
    <message>
        <source>SCHEDULE_LAST_RUN</source>
        <translation>Letzte Bereinigung: %1, %2 entfernt, %3 geblieben, %4 behalten</translation>
    </message>
    <message>
        <source>SCHEDULE_CONFIRM</source>
        <translation>Automatisch aufräumen</translation>
    </message>
    <message>
        <source>SCHEDULE_TURN_OFF</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <source>SCHEDULE_ENABLED</source>
        <translation>Der Zeitplan ist eingerichtet.</translation>
    </message>
    <message>
        <source>SCHEDULE_NOT_ENABLED</source>
        <translation>Der Zeitplan ist geschrieben, aber kein Dienstverwalter des Benutzers hat ihn aktiviert (%1). Führen Sie aus: systemctl --user daemon-reload; systemctl --user enable --now sorvane-clean.timer</translation>
    </message>
    <message>
        <source>SCHEDULE_NOT_WRITTEN</source>
        <translation>Der Zeitplan konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>SCHEDULE_REMOVED</source>
        <translation>Es wird nichts mehr automatisch aufgeräumt.</translation>
    </message>
    <message>
        <source>SCHEDULE_NOT_REMOVED</source>
        <translation>Der Zeitplan konnte nicht entfernt werden: %1</translation>
    </message>
    <message>
        <source>SCHEDULE_NO_CLI</source>
        <translation>sorvane-cli ist nicht installiert, daher kann nichts automatisch aufgeräumt werden.</translation>
    </message>
    <message>
        <source>AGE_LIMIT</source>
        <translation>Alter</translation>
    </message>
    <message>
        <source>ANY_AGE</source>
        <translation>Jedes Alter</translation>
    </message>
    <message>
        <source>UNUSED_7_DAYS</source>
        <translation>7 Tage nicht benutzt</translation>
    </message>
    <message>
        <source>UNUSED_30_DAYS</source>
        <translation>30 Tage nicht benutzt</translation>
    </message>
    <message>
        <source>UNUSED_90_DAYS</source>
        <translation>90 Tage nicht benutzt</translation>
    </message>
</context>
</TS>
