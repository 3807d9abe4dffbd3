<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>QtDialogs</name>
    <message>
        <location filename="../src/app/forms/QtDialogs.cpp" line="+26"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Yes</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <location line="+95"/>
        <source>No program on this computer could open

%1

Open it with a program of your choice; the text above can be selected and copied.</source>
        <translation>No program on this computer could open

%1

Open it with a program of your choice; the text above can be selected and copied.</translation>
    </message>
</context>
</TS>
