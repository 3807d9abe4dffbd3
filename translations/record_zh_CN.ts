<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ChartView</name>
    <message>
        <location filename="../src/record/ChartView.cpp" line="+128"/>
        <source>采样步长：%1S</source>
        <translation>采样步长：%1S</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>长度：%1</source>
        <translation>长度：%1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>开始：</source>
        <translation>开始：</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>结束：</source>
        <translation>结束：</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Length:%1</source>
        <translation>长度：%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start:%1</source>
        <translation>开始：%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start：%1</source>
        <translation>开始：%1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>End:%1</source>
        <translation>结束：%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End：%1</source>
        <translation>结束：%1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Time/DIV=%1S</source>
        <translation>时间/格=%1S</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>CH%1/DIV=</source>
        <translation>CH%1/格=</translation>
    </message>
    <message>
        <location line="+131"/>
        <source>Range: Positive    </source>
        <translation>范围：正    </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Range: Bipolar    </source>
        <translation>范围：双极性    </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Range: Negative    </source>
        <translation>范围：负    </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Mode：Record</source>
        <translation>模式：记录</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mode:Read</source>
        <translation>模式：读取</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Date：</source>
        <translation>日期：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date:</source>
        <translation>日期：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Time：</source>
        <translation>时间：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time:</source>
        <translation>时间：</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Value:</source>
        <translation>数值：</translation>
    </message>
</context>
<context>
    <name>RecordSettings</name>
    <message>
        <location filename="../src/record/RecordSettings.cpp" line="+19"/>
        <source>Vol</source>
        <translation>电压</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电压</source>
        <translation>电压</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Vol</source>
        <translation> 电压</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp</source>
        <translation>电流</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电流</source>
        <translation>电流</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Amp</source>
        <translation> 电流</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>功率</source>
        <translation>功率</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Power</source>
        <translation> 功率</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apparent power</source>
        <translation>视在功率</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>视在功率</source>
        <translation>视在功率</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Apparent power</source>
        <translation> 视在功率</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reactive power</source>
        <translation>无功功率</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>无功功率</source>
        <translation>无功功率</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Reactive power</source>
        <translation> 无功功率</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>I phase</source>
        <translation>电流初相角</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电流初相角</source>
        <translation>电流初相角</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> I phase</source>
        <translation> 电流初相角</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>频率</source>
        <translation>频率</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Frequency</source>
        <translation> 频率</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power Factor</source>
        <translation>功率因数</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>功率因数</source>
        <translation>功率因数</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> PF</source>
        <translation> 功率因数</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vol THD</source>
        <translation>电压THD</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电压总谐波</source>
        <translation>电压总谐波</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Vol THD</source>
        <translation> 电压THD</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp THD</source>
        <translation>电流THD</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电流总谐波</source>
        <translation>电流总谐波</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Amp THD</source>
        <translation> 电流THD</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature 1</source>
        <translation>温度1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>温度1</source>
        <translation>温度1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Temperature 1</source>
        <translation> 温度1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature 2</source>
        <translation>温度2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>温度2</source>
        <translation>温度2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Temperature 2</source>
        <translation> 温度2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature 3</source>
        <translation>温度3</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>温度3</source>
        <translation>温度3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Temperature 3</source>
        <translation> 温度3</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Sampling step：%1S</source>
        <translation>采样步长：%1秒</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>采样步长：%1秒</source>
        <translation>采样步长：%1秒</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Save step：%1S</source>
        <translation>存盘间隔时间：%1秒</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>存盘间隔时间：%1秒</source>
        <translation>存盘间隔时间：%1秒</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+7"/>
        <source>%1 S</source>
        <translation>%1 秒</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <location filename="../src/record/Recorder.cpp" line="+104"/>
        <source>Samples skipped: no measurement yet</source>
        <translation>跳过采样点：还没有测量</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Samples skipped: no new measurement since %1</source>
        <translation>跳过采样点：%1 以后没有新的测量</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Not saved to %1: %2 (tried again at every save step)</source>
        <translation>未保存到 %1：%2（每个存盘间隔都会重试）</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not saved to %1: %2</source>
        <translation>未保存到 %1：%2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 was deleted, moved or replaced: made again with all %2 samples</source>
        <translation>%1 已被删除、移动或替换：已用全部 %2 个采样点重新建立</translation>
    </message>
</context>
<context>
    <name>TRecSetForm</name>
    <message>
        <location filename="../src/record/forms/RecSet.cpp" line="+24"/>
        <source>你在输入通道中选择了温度输入，</source>
        <translation>你在输入通道中选择了温度输入，</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请确认你的电脑已经连接到本公司生产的QTS系列多路温度检测仪器！</source>
        <translation>请确认你的电脑已经连接到本公司生产的QTS系列多路温度检测仪器！</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>记录设置</source>
        <translation>记录设置</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Signal Select</source>
        <translation>信号选择</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Sampling Step </source>
        <translation>采样步长 </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save Step </source>
        <translation>存盘间隔 </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>秒  </source>
        <translation>秒  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature </source>
        <translation>温度 </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not Complete</source>
        <translation>未完成</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancel </source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>TRecordForm</name>
    <message>
        <location filename="../src/record/forms/Rec.cpp" line="+41"/>
        <source>采样步长：</source>
        <translation>采样步长：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>存盘间隔时间：</source>
        <translation>存盘间隔时间：</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Start:</source>
        <translation>开始：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End:</source>
        <translation>结束：</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Length:</source>
        <translation>长度：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mode:Record</source>
        <translation>模式：记录</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Range: Positive</source>
        <translation>范围：正</translation>
    </message>
    <message>
        <location line="+411"/>
        <source>Record </source>
        <translation>记录</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File (&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+16"/>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>New </source>
        <translation>新建</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+15"/>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>Export CSV...</source>
        <translation>导出 CSV...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit </source>
        <translation>退出</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Option (&amp;O)</source>
        <translation>选项(&amp;O)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+12"/>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Run (&amp;R)</source>
        <translation>运行(&amp;R)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starting</source>
        <translation>开始</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>View  (&amp;V)</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>Backward Compression</source>
        <translation>缩小</translation>
    </message>
    <message>
        <location line="-9"/>
        <location line="+9"/>
        <source>Forward Expansion</source>
        <translation>放大</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Move Left </source>
        <translation>左移</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+6"/>
        <source>Move Right</source>
        <translation>右移</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Left</source>
        <translation>左移</translation>
    </message>
    <message>
        <location line="+7"/>
        <source> Record Wave  </source>
        <translation> 记录波形  </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>单击选择数据显示范围</source>
        <translation>单击选择数据显示范围</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Compression</source>
        <translation>压缩</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> 参数 </source>
        <translation> 参数 </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>CH%1 scale up</source>
        <translation>CH%1 放大刻度</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CH%1 scale down</source>
        <translation>CH%1 缩小刻度</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CH%1 on/off</source>
        <translation>CH%1 开/关</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>记录点日期时间：   </source>
        <translation>记录点日期时间：   </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>日期：   </source>
        <translation>日期：   </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>时间：   </source>
        <translation>时间：   </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Value：</source>
        <translation>数值：</translation>
    </message>
    <message>
        <location filename="../src/record/forms/RecCommands.cpp" line="+27"/>
        <source>Norvo记录文件(.vqr)|*.vqr</source>
        <translation>Norvo记录文件(.vqr)|*.vqr</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>   To start the test records must be in continuous mode, recording is not started! </source>
        <translation>   只有在连续采样时才能开始记录，记录没有开始！ </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>    Please create a new record file!    </source>
        <translation>    请先新建记录文件！    </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>   You have to stop the continuous sampling, record stop!   </source>
        <translation>   连续采样已停止，记录停止！   </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>    Data recorded over the maximum file limit, create a new file and start again.    </source>
        <translation>    记录数据已达到文件上限，请新建文件后重新开始。    </translation>
    </message>
    <message>
        <location line="+18"/>
        <source>模式：记录</source>
        <translation>模式：记录</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Mode:Read</source>
        <translation>模式：读取</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Mode: Read</source>
        <translation>模式：读取</translation>
    </message>
</context>
</TS>
