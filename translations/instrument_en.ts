<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AlarmLimits</name>
    <message>
        <location filename="../src/instrument/AlarmLimits.cpp" line="+54"/>
        <source>Request:%1。</source>
        <translation>Request: %1.</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+3"/>
        <source>Completed</source>
        <translation>Completed</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>No acknowledgement. Written: %1. Not written: %2.</source>
        <translation>No acknowledgement. Written: %1. Not written: %2.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>none</source>
        <translation>none</translation>
    </message>
</context>
<context>
    <name>CtDelay</name>
    <message>
        <location filename="../src/instrument/CtDelay.cpp" line="+19"/>
        <source>  Frequency is higher than 60HZ, the data is invalid!    </source>
        <translation>  Frequency is higher than 60 Hz, the data is invalid!    </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  Frequency is less than 50HZ, data is invalid!   </source>
        <translation>  Frequency is lower than 50 Hz, the data is invalid!   </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  Angle difference can not be greater than 30 degrees, the data is invalid!    </source>
        <translation>  The angle difference cannot be greater than 30 degrees, the data is invalid!    </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  Angle difference can not be less than -30 degrees, the data is invalid!   </source>
        <translation>  The angle difference cannot be less than -30 degrees, the data is invalid!   </translation>
    </message>
</context>
<context>
    <name>StartingChart</name>
    <message>
        <location filename="../src/instrument/StartingChart.cpp" line="+199"/>
        <source>电压峰值</source>
        <translation>Peak voltage </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>电流峰值</source>
        <translation>Peak current </translation>
    </message>
</context>
<context>
    <name>TAlarmForm</name>
    <message>
        <location filename="../src/instrument/forms/Alarm.cpp" line="+23"/>
        <source>Failed,The machine is not connected</source>
        <translation>Failed: the instrument is not connected</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Vol： </source>
        <translation>Voltage: </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Amp： </source>
        <translation>Current: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power： </source>
        <translation>Power: </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PF： </source>
        <translation>PF: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Upper Limit： </source>
        <translation>Upper Limit: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lower Limit： </source>
        <translation>Lower Limit: </translation>
    </message>
    <message>
        <location line="+63"/>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 %2</source>
        <extracomment>The accessible name of a limit&apos;s box: the row&apos;s quantity and the column&apos;s limit.</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ON/OFF  </source>
        <translation>ON/OFF  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ON/OFF %1</source>
        <translation>ON/OFF %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Read From Instrument</source>
        <translation>Read From Instrument</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save To Instrument</source>
        <translation>Save To Instrument</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit </source>
        <translation>Exit </translation>
    </message>
    <message>
        <location line="+18"/>
        <source>正在请求仪器数据......</source>
        <translation>Requesting data from the instrument...</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Saving ......。</source>
        <translation>Saving ......</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Request ......</source>
        <translation>Request ......</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Data synchronization with the instrument has been</source>
        <translation>Data synchronized with the instrument</translation>
    </message>
</context>
<context>
    <name>TCalibrateForm</name>
    <message>
        <location filename="../src/instrument/forms/Calibrate.cpp" line="+132"/>
        <source>CalibrateForm</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准设置</source>
        <translation>Calibration Settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>温度选项</source>
        <translation>Temperature Options</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压：  </source>
        <translation>Voltage:  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流：  </source>
        <translation>Current:  </translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>校准</source>
        <translation>Calibrate</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准 电压</source>
        <translation>Calibrate voltage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准 电流</source>
        <translation>Calibrate current</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>窄频</source>
        <translation>Narrow Band</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>宽频</source>
        <translation>Wide Band</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>开启温度补偿</source>
        <translation>Temperature Compensation On</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关闭温度补偿</source>
        <translation>Temperature Compensation Off</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准常温</source>
        <translation>Calibrate at Room Temperature</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准低温</source>
        <translation>Calibrate at Low Temperature</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>开锁</source>
        <translation>Unlock</translation>
    </message>
    <message>
        <location line="+84"/>
        <source>请求读失败，仪器和电脑还没有连接。</source>
        <translation>Read request failed: the instrument is not connected to the computer.</translation>
    </message>
</context>
<context>
    <name>TExternal_CT_form</name>
    <message>
        <location filename="../src/instrument/forms/External_CT.cpp" line="+62"/>
        <source>外部互感器选项</source>
        <translation>External CT Options</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>External CT Delay </source>
        <translation>External CT Delay </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Angle     </source>
        <translation>Angle     </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Deg（-30 To +30）</source>
        <translation>Deg (-30 to +30)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+4"/>
        <source>Frequency</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Hz（50 To 60）</source>
        <translation>Hz (50 to 60)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>If not external  CT, please enter 0.</source>
        <translation>Without an external CT, enter 0.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Angle</source>
        <translation>Angle</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save To Instrument</source>
        <translation>Save To Instrument</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Failed,The machine is not connected</source>
        <translation>Failed: the instrument is not connected</translation>
    </message>
</context>
<context>
    <name>TStartingForm</name>
    <message>
        <location filename="../src/instrument/forms/Starting.cpp" line="+100"/>
        <location line="+177"/>
        <source>启动测试</source>
        <translation>Starting Test</translation>
    </message>
    <message>
        <location line="-176"/>
        <source>Vol Range</source>
        <translation>Voltage Range</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Amp Range</source>
        <translation>Current Range</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>4 (High)</source>
        <translation>4 (High)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 (Low)</source>
        <translation>1 (Low)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+224"/>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="-223"/>
        <source>Starting</source>
        <translation>Start Test</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Earlier samples</source>
        <translation>Earlier samples</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Later samples</source>
        <translation>Later samples</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>More compression</source>
        <translation>More compression</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Less compression</source>
        <translation>Less compression</translation>
    </message>
    <message>
        <location line="+162"/>
        <source>    请先停止连续测试！    </source>
        <translation>    Stop continuous sampling first!    </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>  单击确定后按下仪器的Starting开关!  </source>
        <translation>  Click Yes, then press the Starting switch on the instrument!  </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请求读失败，仪器和电脑还没有连接。</source>
        <translation>Read request failed: the instrument is not connected to the computer.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发送测试请求</source>
        <translation>Test request sent</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Norvo启动测试文件(.bmp)|*.bmp</source>
        <translation>Norvo starting-test file (.bmp)|*.bmp</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
</context>
</TS>
