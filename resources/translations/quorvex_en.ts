<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>quorvex::ui</name>
    <message>
        <source>文件太大，如果打开可能要等一段时间，是否仍要继续？</source>
        <translation>The file is large and may take a while to open. Open it anyway?</translation>
    </message>
    <message>
        <source>温馨提示</source>
        <translation>Please Note</translation>
    </message>
    <message>
        <source>文件为空，请重新选择文件！</source>
        <translation>The file is empty. Please choose another file.</translation>
    </message>
    <message>
        <source>不是普通的文本文件，请重新选择文件！</source>
        <translation>This is not a plain text file. Please choose another file.</translation>
    </message>
    <message>
        <source>文件太大，内存容纳不下，请重新选择文件！</source>
        <translation>The file is too large to fit in memory. Please choose another file.</translation>
    </message>
    <message>
        <source>没有打开任何文件。</source>
        <translation>No file was opened.</translation>
    </message>
    <message>
        <source>操作有误#</source>
        <translation>The operation could not be carried out.</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>结果为空，不能保存#</source>
        <translation>The result is empty and cannot be saved.</translation>
    </message>
    <message>
        <source>你没有存盘,数据没有被保存下来#</source>
        <translation>The report was not saved.</translation>
    </message>
    <message>
        <source>没有保存文件。</source>
        <translation>No file was saved.</translation>
    </message>
    <message>
        <source>导出已停止，文件没有写出。</source>
        <translation>Export stopped; no file was written.</translation>
    </message>
    <message>
        <source>打印已停止。</source>
        <translation>Printing stopped.</translation>
    </message>
    <message>
        <source>输入要设置小数数位 n：</source>
        <translation>Enter the number of decimal places n:</translation>
    </message>
    <message>
        <source>设置小数数位</source>
        <translation>Decimal Places</translation>
    </message>
    <message>
        <source>导出失败，文件没有写成#</source>
        <translation>The export failed; the file was not written.</translation>
    </message>
    <message>
        <source>LaTeX 文件 (*.tex)</source>
        <translation>LaTeX files (*.tex)</translation>
    </message>
    <message>
        <source>HTML 网页 (*.html)</source>
        <translation>HTML pages (*.html)</translation>
    </message>
    <message>
        <source>Markdown 文件 (*.md)</source>
        <translation>Markdown files (*.md)</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>编辑区域</source>
        <translation>Edit area</translation>
    </message>
    <message>
        <source>编辑状态</source>
        <translation>Editing</translation>
    </message>
    <message>
        <source>结果区域</source>
        <translation>Result area</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>文本文件(*.txt)|*.txt|所有文件(*.*)|*.*</source>
        <translation>Text files (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>quorvex::ui::FontDialog</name>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>颜色(&amp;C)...</source>
        <translation>&amp;Colour...</translation>
    </message>
</context>
<context>
    <name>quorvex::ui::FrmAbout</name>
    <message>
        <source>作者：Quorvex 开发组</source>
        <translation>Authors: the Quorvex developers</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;电子邮件：%1</source>
        <translation>    E-mail: %1</translation>
    </message>
    <message>
        <source>网址：%1</source>
        <translation>Website: %1</translation>
    </message>
    <message>
        <source>关于Quorvex</source>
        <translation>About Quorvex</translation>
    </message>
    <message>
        <source>本程序逐步演示线性方程组的数值解法，每一步的报告都与手算一致，
供学习与教学参考。如有问题或建议，欢迎告诉我们。</source>
        <translation>This program works through the numerical solution of linear systems step by step, and every report agrees with a calculation by hand. It is meant for study and teaching; questions and suggestions are welcome.</translation>
    </message>
    <message>
        <source>作者博客1</source>
        <translation>Project page</translation>
    </message>
    <message>
        <source>作者博客2</source>
        <translation>What is new</translation>
    </message>
    <message>
        <source>作者博客3</source>
        <translation>Installing</translation>
    </message>
    <message>
        <source>作者博客</source>
        <translation>Exercises</translation>
    </message>
    <message>
        <source>点击打开</source>
        <translation>Click to open</translation>
    </message>
</context>
<context>
    <name>quorvex::ui::FrmExit</name>
    <message>
        <source>电子邮件：%1
</source>
        <translation>E-mail: %1
</translation>
    </message>
    <message>
        <source>主页：%1
</source>
        <translation>Home page: %1
</translation>
    </message>
    <message>
        <source>Quorvex
线性方程组数值解法
版本 %1

作者：Quorvex 开发组
%2
谢谢使用！</source>
        <translation>Quorvex
Numerical Solution of Linear Systems
Version %1

Authors: the Quorvex developers
%2
Thank you for using Quorvex!</translation>
    </message>
</context>
<context>
    <name>quorvex::ui::HelpViewer</name>
    <message>
        <source>Quorvex 帮助</source>
        <translation>Quorvex Help</translation>
    </message>
    <message>
        <source>目录</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>后退</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>前进</source>
        <translation>Forward</translation>
    </message>
</context>
<context>
    <name>quorvex::ui::menus</name>
    <message>
        <source>新建</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save &amp;As</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>全选(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>撤消</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>删除(&amp;L)</source>
        <translation>De&amp;lete</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>&amp;Font</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>&amp;Background Colour</translation>
    </message>
    <message>
        <source>设置小数数位</source>
        <translation>Decimal &amp;Places</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>&amp;Defaults</translation>
    </message>
    <message>
        <source>精确分数</source>
        <translation>E&amp;xact Fractions</translation>
    </message>
    <message>
        <source>详细步骤</source>
        <translation>Worked &amp;Steps</translation>
    </message>
    <message>
        <source>逐行变换</source>
        <translation>One &amp;Row Operation at a Time</translation>
    </message>
    <message>
        <source>帮助文件</source>
        <translation>Help &amp;Topics</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>&amp;About Quorvex</translation>
    </message>
    <message>
        <source>语言 (Language)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>&amp;Chinese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>显示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>导出(&amp;E)</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>打印(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
</context>
<context>
    <name>quorvex::ui::shell</name>
    <message>
        <source>问题和建议：请看帮助文件中的“报告问题”</source>
        <translation>Questions and suggestions: see “Reporting a Problem” in the help book</translation>
    </message>
</context>
</TS>
