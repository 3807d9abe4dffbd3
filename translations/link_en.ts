<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>LinkWatch</name>
    <message>
        <location filename="../src/link/LinkWatch.cpp" line="+15"/>
        <source>Connected!</source>
        <translation>Connected!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Connection Failure!</source>
        <translation>Connection Failure!</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>  (COM%1 is held by %2)</source>
        <translation>  (COM%1 is held by %2)</translation>
    </message>
</context>
<context>
    <name>PortHolder</name>
    <message>
        <location filename="../src/link/PortHolder.cpp" line="+93"/>
        <source>%1 (pid %2)</source>
        <translation>%1 (pid %2)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>another program</source>
        <translation>another program</translation>
    </message>
</context>
<context>
    <name>TComm</name>
    <message>
        <location filename="../src/link/TComm.cpp" line="+12"/>
        <source>通讯出现异常！请检查连接是否正确或重新启动程序和仪器。</source>
        <translation>Communication error! Check that the connection is right, or restart the program and the instrument.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>COM Port is not opened yet!</source>
        <translation>COM Port is not opened yet!</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>COM Port has been opened!</source>
        <translation>COM Port has been opened!</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Cannot setup comm buffer</source>
        <translation>Cannot setup comm buffer</translation>
    </message>
</context>
<context>
    <name>TCommForm</name>
    <message>
        <location filename="../src/link/forms/communication.cpp" line="+53"/>
        <source>COM%1         Uses USB connected KMR5150</source>
        <translation>COM%1         Uses USB connected KMR5150</translation>
    </message>
    <message>
        <location filename="../src/link/PortMessages.cpp" line="+14"/>
        <source>       Did not find the default communication port! Please check：</source>
        <translation>       The stored communication port was not found. Please check:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>               Instrument power is turned on?</source>
        <translation>               Is the instrument switched on?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>               Lines of communication connecting apparatus</source>
        <translation>               Is the communication cable connected to the instrument?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>               Change the USB port, please re-set in the communication settings！       </source>
        <translation>               If you changed the USB port, set it again in the communication settings.       </translation>
    </message>
    <message>
        <location filename="../src/link/forms/communication.cpp" line="+51"/>
        <source> Interface  </source>
        <translation> Interface  </translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Baudrate </source>
        <translation>Baudrate </translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Communication </source>
        <translation>Communication </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Address（1-255）：  </source>
        <translation>Address (1-255):  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scan Instrument</source>
        <translation>Scan Instrument</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location filename="../src/link/PortMessages.cpp" line="+16"/>
        <source>       COM%1 is in use by %2.

       Close that program: the port is opened by itself as soon as it is free.
       Or choose another port in the communication settings.</source>
        <translation>       COM%1 is in use by %2.

       Close that program: the port is opened by itself as soon as it is free.
       Or choose another port in the communication settings.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No instrument answered on COM%1 at %2, address %3. Check that the instrument is switched on and connected to this port, and that its speed and address are the ones set here.</source>
        <translation>No instrument answered on COM%1 at %2, address %3. Check that the instrument is switched on and connected to this port, and that its speed and address are the ones set here.</translation>
    </message>
    <message>
        <location filename="../src/link/forms/communication.cpp" line="+177"/>
        <source>Scan Communication Port</source>
        <translation>Scan Communication Port</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Failed,The machine is not connected</source>
        <translation>Failed: the instrument is not connected</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Communications port is open</source>
        <translation>Communications port is open</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Failed,The machine is not connected! </source>
        <translation>Failed: the instrument is not connected!</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Connect </source>
        <translation>Connect </translation>
    </message>
    <message>
        <location line="+111"/>
        <source>Connection Failure!</source>
        <translation>Connection Failure!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Connected!</source>
        <translation>Connected!</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <location filename="../src/link/forms/Dispatcher.cpp" line="+40"/>
        <source>Sampling completed!</source>
        <translation>Sampling completed!</translation>
    </message>
    <message>
        <location line="+3"/>
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
