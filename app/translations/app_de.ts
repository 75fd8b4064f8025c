<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>App</name>
    <message>
        <source>SELECTED_FILES</source>
        <translation>%1 Objekte ausgewählt, %2</translation>
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
</context>
</TS>
