<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AlarmLimits</name>
    <message>
        <location filename="../src/instrument/AlarmLimits.cpp" line="+54"/>
        <source>Request:%1。</source>
        <translation>请求：%1。</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+3"/>
        <source>Completed</source>
        <translation>完成</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>No acknowledgement. Written: %1. Not written: %2.</source>
        <translation>无应答。已写入：%1。未写入：%2。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>none</source>
        <translation>无</translation>
    </message>
</context>
<context>
    <name>CtDelay</name>
    <message>
        <location filename="../src/instrument/CtDelay.cpp" line="+19"/>
        <source>  Frequency is higher than 60HZ, the data is invalid!    </source>
        <translation>  频率高于60Hz，数据无效！    </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  Frequency is less than 50HZ, data is invalid!   </source>
        <translation>  频率低于50Hz，数据无效！   </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  Angle difference can not be greater than 30 degrees, the data is invalid!    </source>
        <translation>  角差不能大于30度，数据无效！    </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  Angle difference can not be less than -30 degrees, the data is invalid!   </source>
        <translation>  角差不能小于-30度，数据无效！   </translation>
    </message>
</context>
<context>
    <name>StartingChart</name>
    <message>
        <location filename="../src/instrument/StartingChart.cpp" line="+199"/>
        <source>电压峰值</source>
        <translation>电压峰值</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>电流峰值</source>
        <translation>电流峰值</translation>
    </message>
</context>
<context>
    <name>TAlarmForm</name>
    <message>
        <location filename="../src/instrument/forms/Alarm.cpp" line="+23"/>
        <source>Failed,The machine is not connected</source>
        <translation>失败：仪器未连接</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Vol： </source>
        <translation>电压： </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Amp： </source>
        <translation>电流： </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power： </source>
        <translation>功率： </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PF： </source>
        <translation>功率因数： </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Upper Limit： </source>
        <translation>上限： </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lower Limit： </source>
        <translation>下限： </translation>
    </message>
    <message>
        <location line="+63"/>
        <source>Status:</source>
        <translation>状态：</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Alarm</source>
        <translation>报警</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 %2</source>
        <extracomment>The accessible name of a limit&apos;s box: the row&apos;s quantity and the column&apos;s limit.</extracomment>
        <translation>%1%2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ON/OFF  </source>
        <translation>开/关  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ON/OFF %1</source>
        <translation>开/关 %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Read From Instrument</source>
        <translation>从仪器读取</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save To Instrument</source>
        <translation>保存到仪器</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit </source>
        <translation>退出</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>正在请求仪器数据......</source>
        <translation>正在请求仪器数据......</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Saving ......。</source>
        <translation>正在保存……</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Request ......</source>
        <translation>正在请求……</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Data synchronization with the instrument has been</source>
        <translation>已与仪器同步数据</translation>
    </message>
</context>
<context>
    <name>TCalibrateForm</name>
    <message>
        <location filename="../src/instrument/forms/Calibrate.cpp" line="+132"/>
        <source>CalibrateForm</source>
        <translation>校准</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准设置</source>
        <translation>校准设置</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>温度选项</source>
        <translation>温度选项</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压：  </source>
        <translation>电压：  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流：  </source>
        <translation>电流：  </translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>校准</source>
        <translation>校准</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准 电压</source>
        <translation>校准 电压</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准 电流</source>
        <translation>校准 电流</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>窄频</source>
        <translation>窄频</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>宽频</source>
        <translation>宽频</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>开启温度补偿</source>
        <translation>开启温度补偿</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关闭温度补偿</source>
        <translation>关闭温度补偿</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准常温</source>
        <translation>校准常温</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校准低温</source>
        <translation>校准低温</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>开锁</source>
        <translation>开锁</translation>
    </message>
    <message>
        <location line="+84"/>
        <source>请求读失败，仪器和电脑还没有连接。</source>
        <translation>请求读失败，仪器和电脑还没有连接。</translation>
    </message>
</context>
<context>
    <name>TExternal_CT_form</name>
    <message>
        <location filename="../src/instrument/forms/External_CT.cpp" line="+62"/>
        <source>外部互感器选项</source>
        <translation>外部互感器选项</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>External CT Delay </source>
        <translation>外部互感器延时 </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Angle     </source>
        <translation>角度     </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Deg（-30 To +30）</source>
        <translation>度（-30 至 +30）</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+4"/>
        <source>Frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Hz（50 To 60）</source>
        <translation>Hz（50 至 60）</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>If not external  CT, please enter 0.</source>
        <translation>没有外部互感器时请输入0。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save To Instrument</source>
        <translation>保存到仪器</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Failed,The machine is not connected</source>
        <translation>失败：仪器未连接</translation>
    </message>
</context>
<context>
    <name>TStartingForm</name>
    <message>
        <location filename="../src/instrument/forms/Starting.cpp" line="+100"/>
        <location line="+177"/>
        <source>启动测试</source>
        <translation>启动测试</translation>
    </message>
    <message>
        <location line="-176"/>
        <source>Vol Range</source>
        <translation>电压量程</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Amp Range</source>
        <translation>电流量程</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>4 (High)</source>
        <translation>4（高）</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 (Low)</source>
        <translation>1（低）</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+224"/>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <location line="-223"/>
        <source>Starting</source>
        <translation>开始测试</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Earlier samples</source>
        <translation>较早的采样点</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Later samples</source>
        <translation>较晚的采样点</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>More compression</source>
        <translation>增大压缩</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Less compression</source>
        <translation>减小压缩</translation>
    </message>
    <message>
        <location line="+162"/>
        <source>    请先停止连续测试！    </source>
        <translation>    请先停止连续测试！    </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>  单击确定后按下仪器的Starting开关!  </source>
        <translation>  单击确定后按下仪器的Starting开关！  </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请求读失败，仪器和电脑还没有连接。</source>
        <translation>请求读失败，仪器和电脑还没有连接。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>发送测试请求</source>
        <translation>发送测试请求</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Norvo启动测试文件(.bmp)|*.bmp</source>
        <translation>Norvo启动测试文件(.bmp)|*.bmp</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 已存在。
要替换它吗？</translation>
    </message>
</context>
</TS>
