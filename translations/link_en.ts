<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TMainForm</name>
    <message>
        <location filename="../src/link/forms/Dispatcher.cpp" line="+40"/>
        <source>Sampling completed!</source>
        <translation>Sampling completed!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Date：%1 %2</source>
        <translation>Date: %1 %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Requesting %1Data frame</source>
        <translation>Requesting data frame %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Completed</source>
        <translation>Completed</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Trigger completed, requesting ......</source>
        <translation>Trigger completed, requesting ......</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Synchronization</source>
        <translation>Synchronization</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Failed,The machine is not connected</source>
        <translation>Failed: the instrument is not connected</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Request data!</source>
        <translation>Request data!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Connection Failure!</source>
        <translation>Connection Failure!</translation>
    </message>
</context>
</TS>
