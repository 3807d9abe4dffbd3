<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>TMainForm</name>
    <message>
        <location filename="../src/link/forms/Dispatcher.cpp" line="+40"/>
        <source>Sampling completed!</source>
        <translation>采样完成！</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Date：%1 %2</source>
        <translation>日期：%1 %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Requesting %1Data frame</source>
        <translation>正在请求第 %1 帧数据</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Completed</source>
        <translation>完成</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Trigger completed, requesting ......</source>
        <translation>已触发，正在请求……</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Synchronization</source>
        <translation>已同步</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Failed,The machine is not connected</source>
        <translation>失败：仪器未连接</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Request data!</source>
        <translation>请求数据！</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Connection Failure!</source>
        <translation>连接失败！</translation>
    </message>
</context>
</TS>
