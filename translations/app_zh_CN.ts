<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QtDialogs</name>
    <message>
        <location filename="../src/app/forms/QtDialogs.cpp" line="+26"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Yes</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;No</source>
        <translation>否(&amp;N)</translation>
    </message>
    <message>
        <location line="+95"/>
        <source>No program on this computer could open

%1

Open it with a program of your choice; the text above can be selected and copied.</source>
        <translation>本机没有能打开下列文件或地址的程序：

%1

请用您选择的程序打开它；上面的文字可以选中并复制。</translation>
    </message>
</context>
</TS>
