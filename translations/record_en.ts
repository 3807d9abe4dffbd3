<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ChartView</name>
    <message>
        <location filename="../src/record/ChartView.cpp" line="+128"/>
        <source>采样步长：%1S</source>
        <translation>Sampling step: %1S</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>长度：%1</source>
        <translation>Length: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>开始：</source>
        <translation>Start: </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>结束：</source>
        <translation>End: </translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Length:%1</source>
        <translation>Length:%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start:%1</source>
        <translation>Start:%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start：%1</source>
        <translation>Start: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>End:%1</source>
        <translation>End:%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End：%1</source>
        <translation>End: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Time/DIV=%1S</source>
        <translation>Time/DIV=%1S</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>CH%1/DIV=</source>
        <translation>CH%1/DIV=</translation>
    </message>
    <message>
        <location line="+131"/>
        <source>Range: Positive    </source>
        <translation>Range: Positive    </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Range: Bipolar    </source>
        <translation>Range: Bipolar    </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Range: Negative    </source>
        <translation>Range: Negative    </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Mode：Record</source>
        <translation>Mode: Record</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mode:Read</source>
        <translation>Mode:Read</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Date：</source>
        <translation>Date: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Time：</source>
        <translation>Time: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Value:</source>
        <translation>Value:</translation>
    </message>
</context>
<context>
    <name>RecordSettings</name>
    <message>
        <location filename="../src/record/RecordSettings.cpp" line="+19"/>
        <source>Vol</source>
        <translation>Vol</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电压</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Vol</source>
        <translation> Vol</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp</source>
        <translation>Amp</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电流</source>
        <translation>Current</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Amp</source>
        <translation> Amp</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>功率</source>
        <translation>Power</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Power</source>
        <translation> Power</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apparent power</source>
        <translation>Apparent power</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>视在功率</source>
        <translation>Apparent power</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Apparent power</source>
        <translation> Apparent power</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reactive power</source>
        <translation>Reactive power</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>无功功率</source>
        <translation>Reactive power</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Reactive power</source>
        <translation> Reactive power</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>I phase</source>
        <translation>I phase</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电流初相角</source>
        <translation>Current phase angle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> I phase</source>
        <translation> I phase</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Frequency</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>频率</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Frequency</source>
        <translation> Frequency</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power Factor</source>
        <translation>Power Factor</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>功率因数</source>
        <translation>Power Factor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> PF</source>
        <translation> PF</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vol THD</source>
        <translation>Vol THD</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电压总谐波</source>
        <translation>Voltage THD</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Vol THD</source>
        <translation> Vol THD</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp THD</source>
        <translation>Amp THD</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>电流总谐波</source>
        <translation>Current THD</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Amp THD</source>
        <translation> Amp THD</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature 1</source>
        <translation>Temperature 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>温度1</source>
        <translation>Temperature 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Temperature 1</source>
        <translation> Temperature 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature 2</source>
        <translation>Temperature 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>温度2</source>
        <translation>Temperature 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Temperature 2</source>
        <translation> Temperature 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature 3</source>
        <translation>Temperature 3</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>温度3</source>
        <translation>Temperature 3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Temperature 3</source>
        <translation> Temperature 3</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Sampling step：%1S</source>
        <translation>Sampling step: %1S</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>采样步长：%1秒</source>
        <translation>Sampling step: %1S</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Save step：%1S</source>
        <translation>Save interval: %1S</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>存盘间隔时间：%1秒</source>
        <translation>Save interval: %1S</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+7"/>
        <source>%1 S</source>
        <translation>%1 S</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <location filename="../src/record/Recorder.cpp" line="+104"/>
        <source>Samples skipped: no measurement yet</source>
        <translation>Samples skipped: no measurement yet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Samples skipped: no new measurement since %1</source>
        <translation>Samples skipped: no new measurement since %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Not saved to %1: %2 (tried again at every save step)</source>
        <translation>Not saved to %1: %2 (tried again at every save interval)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not saved to %1: %2</source>
        <translation>Not saved to %1: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 was deleted, moved or replaced: made again with all %2 samples</source>
        <translation>%1 was deleted, moved or replaced: made again with all %2 samples</translation>
    </message>
</context>
<context>
    <name>TRecSetForm</name>
    <message>
        <location filename="../src/record/forms/RecSet.cpp" line="+24"/>
        <source>你在输入通道中选择了温度输入，</source>
        <translation>You chose a temperature input for a channel.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请确认你的电脑已经连接到本公司生产的QTS系列多路温度检测仪器！</source>
        <translation>Please make sure that your computer is connected to one of our QTS series multi-channel temperature instruments!</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>记录设置</source>
        <translation>Record Settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Signal Select</source>
        <translation>Signal Select</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Sampling Step </source>
        <translation>Sampling Step </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save Step </source>
        <translation>Save Interval </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>秒  </source>
        <translation>s  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature </source>
        <translation>Temperature </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not Complete</source>
        <translation>Not Complete</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Enter</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cancel </source>
        <translation>Cancel </translation>
    </message>
</context>
<context>
    <name>TRecordForm</name>
    <message>
        <location filename="../src/record/forms/Rec.cpp" line="+41"/>
        <source>采样步长：</source>
        <translation>Sampling step: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>存盘间隔时间：</source>
        <translation>Save interval: </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Start:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End:</source>
        <translation>End:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Length:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mode:Record</source>
        <translation>Mode:Record</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Range: Positive</source>
        <translation>Range: Positive</translation>
    </message>
    <message>
        <location line="+411"/>
        <source>Record </source>
        <translation>Record</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>File (&amp;F)</source>
        <translation>File (&amp;F)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+16"/>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>New </source>
        <translation>New </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+15"/>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>Export CSV...</source>
        <translation>Export CSV...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit </source>
        <translation>Exit </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Option (&amp;O)</source>
        <translation>Option (&amp;O)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+12"/>
        <source>Setting</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location line="-11"/>
        <source>Run (&amp;R)</source>
        <translation>Run (&amp;R)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starting</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>View  (&amp;V)</source>
        <translation>View (&amp;V)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>Backward Compression</source>
        <translation>Backward Compression</translation>
    </message>
    <message>
        <location line="-9"/>
        <location line="+9"/>
        <source>Forward Expansion</source>
        <translation>Forward Expansion</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Move Left </source>
        <translation>Move Left </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+6"/>
        <source>Move Right</source>
        <translation>Move Right</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Left</source>
        <translation>Move Left</translation>
    </message>
    <message>
        <location line="+7"/>
        <source> Record Wave  </source>
        <translation> Record Wave  </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>单击选择数据显示范围</source>
        <translation>Click to choose the range shown</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Compression</source>
        <translation>Compression</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> 参数 </source>
        <translation> Parameters </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>CH%1 scale up</source>
        <translation>CH%1 scale up</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CH%1 scale down</source>
        <translation>CH%1 scale down</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CH%1 on/off</source>
        <translation>CH%1 on/off</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>记录点日期时间：   </source>
        <translation>Sample date and time:   </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>日期：   </source>
        <translation>Date:   </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>时间：   </source>
        <translation>Time:   </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Value：</source>
        <translation>Value:</translation>
    </message>
    <message>
        <location filename="../src/record/forms/RecCommands.cpp" line="+27"/>
        <source>Norvo记录文件(.vqr)|*.vqr</source>
        <translation>Norvo record file (.vqr)|*.vqr</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>   To start the test records must be in continuous mode, recording is not started! </source>
        <translation>   Recording starts only during continuous sampling: recording has not started! </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>    Please create a new record file!    </source>
        <translation>    Please create a new record file first!    </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>   You have to stop the continuous sampling, record stop!   </source>
        <translation>   Continuous sampling has stopped: recording stops!   </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>    Data recorded over the maximum file limit, create a new file and start again.    </source>
        <translation>    The record has reached the largest file size: create a new file and start again.    </translation>
    </message>
    <message>
        <location line="+18"/>
        <source>模式：记录</source>
        <translation>Mode: Record</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Mode:Read</source>
        <translation>Mode:Read</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Mode: Read</source>
        <translation>Mode: Read</translation>
    </message>
</context>
</TS>
