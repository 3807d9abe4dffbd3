<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>LinkWatch</name>
    <message>
        <location filename="../src/link/LinkWatch.cpp" line="+15"/>
        <source>Connected!</source>
        <translation>已连接！</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Connection Failure!</source>
        <translation>连接失败！</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>  (COM%1 is held by %2)</source>
        <translation>  （COM%1 被 %2 占用）</translation>
    </message>
</context>
<context>
    <name>PortHolder</name>
    <message>
        <location filename="../src/link/PortHolder.cpp" line="+93"/>
        <source>%1 (pid %2)</source>
        <translation>%1（进程号 %2）</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>another program</source>
        <translation>另一个程序</translation>
    </message>
</context>
<context>
    <name>TComm</name>
    <message>
        <location filename="../src/link/TComm.cpp" line="+12"/>
        <source>通讯出现异常！请检查连接是否正确或重新启动程序和仪器。</source>
        <translation>通讯出现异常！请检查连接是否正确或重新启动程序和仪器。</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>COM Port is not opened yet!</source>
        <translation>串口尚未打开！</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>COM Port has been opened!</source>
        <translation>串口已经打开！</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Cannot setup comm buffer</source>
        <translation>无法设置串口缓冲区</translation>
    </message>
</context>
<context>
    <name>TCommForm</name>
    <message>
        <location filename="../src/link/forms/communication.cpp" line="+53"/>
        <source>COM%1         Uses USB connected KMR5150</source>
        <translation>COM%1         USB 连接的 KMR5150</translation>
    </message>
    <message>
        <location filename="../src/link/PortMessages.cpp" line="+14"/>
        <source>       Did not find the default communication port! Please check：</source>
        <translation>       未找到默认的通讯串口！请检查：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>               Instrument power is turned on?</source>
        <translation>               仪器电源是否已打开？</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>               Lines of communication connecting apparatus</source>
        <translation>               通讯线是否已连接仪器？</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>               Change the USB port, please re-set in the communication settings！       </source>
        <translation>               如更换了 USB 接口，请在通讯设置中重新设置！       </translation>
    </message>
    <message>
        <location filename="../src/link/forms/communication.cpp" line="+51"/>
        <source> Interface  </source>
        <translation> 接口  </translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Baudrate </source>
        <translation>波特率 </translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Communication </source>
        <translation>通讯 </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Address（1-255）：  </source>
        <translation>地址（1-255）：  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scan Instrument</source>
        <translation>搜索仪器</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../src/link/PortMessages.cpp" line="+16"/>
        <source>       COM%1 is in use by %2.

       Close that program: the port is opened by itself as soon as it is free.
       Or choose another port in the communication settings.</source>
        <translation>       COM%1 正被 %2 占用。

       请关闭该程序：串口一空出就会自动打开。
       或在通讯设置中选择其他串口。</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No instrument answered on COM%1 at %2, address %3. Check that the instrument is switched on and connected to this port, and that its speed and address are the ones set here.</source>
        <translation>COM%1（%2，地址 %3）上没有仪器应答。请检查仪器是否已开机并连接到此串口，以及仪器的波特率和地址是否与此处设置的一致。</translation>
    </message>
    <message>
        <location filename="../src/link/forms/communication.cpp" line="+177"/>
        <source>Scan Communication Port</source>
        <translation>正在搜索通讯串口</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Failed,The machine is not connected</source>
        <translation>失败：仪器未连接</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Communications port is open</source>
        <translation>通讯串口已打开</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Failed,The machine is not connected! </source>
        <translation>失败：仪器未连接！</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Connect </source>
        <translation>连接 </translation>
    </message>
    <message>
        <location line="+111"/>
        <source>Connection Failure!</source>
        <translation>连接失败！</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Connected!</source>
        <translation>已连接！</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <location filename="../src/link/forms/Dispatcher.cpp" line="+40"/>
        <source>Sampling completed!</source>
        <translation>采样完成！</translation>
    </message>
    <message>
        <location line="+3"/>
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
