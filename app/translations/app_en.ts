<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>App</name>
    <message>
        <source>SELECTED_FILES</source>
        <translation>%1 items selected, %2</translation>
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
</context>
</TS>
