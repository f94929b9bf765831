<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>verdin::CAboutDlg</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>verdin::CMainFrame</name>
    <message>
        <source>ﾚﾃﾞｨ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>ｶﾅ</source>
        <translation>KANA</translation>
    </message>
    <message>
        <source>&amp;Add files…	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add COB and .x files to the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add the COB and .x files of a folder to the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit	Alt+F4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete all	Ctrl+D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete all COB from list window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove	Del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the selected files, or all when none is selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help	F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show help file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About	F9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show copyright and version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Models (*.cob *.scn *.x *.COB *.SCN *.X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the report of the last conversion.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>verdin::COptionBar</name>
    <message>
        <source>Add &amp;Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Binary X File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Scale &amp;&amp; Rotation infomation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Position infomation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PP&amp;M texture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Newer materials</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flip &amp;V texture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;ASCII COB files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert listing files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Output folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>beside each model file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert &amp;to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DirectX .x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>glTF binary .glb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>glTF .gltf + .bin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>glTF files open in Blender, Godot, three.js and game engines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where the converted files, textures and PPM files are written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write DirectX&apos;s template definitions at the head of each .x file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save each .x file in the binary format instead of text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply each object&apos;s scale and rotation to its vertices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply each object&apos;s position to its vertices; without it, the objects of a model may overlap.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert 8-bit BMP textures into PPM images and name those in the materials.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the materials of files from later versions of the modeller; without it they come out white.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write texture coordinates as (u, 1 − v): textures of later versions of the modeller lie the right way up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read COB files saved in the text form; without it they are refused.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upright a&amp;xes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stand the .x model in DirectX&apos;s y-up, left-handed axes, unmirrored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Names &amp;&amp; &amp;hierarchy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write a named frame per group and object, nested as in the file, each mesh in its own space.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Full materials</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write each material&apos;s opacity, specular and emissive colours, and texture coordinates on every mesh.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An&amp;imation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With names and hierarchy, write the model&apos;s moves and turns as animation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report s&amp;ummary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report each kind of chunk passed over once per file, with its count.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keep the look</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check every option that keeps the look of a file from a later version of the modeller</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>verdin::CReportDlg</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelling: finishing the current file…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only failures and warnings</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Report: %n file(s) failed</source>
        <translation>
            <numerusform>Report: %n file failed</numerusform>
            <numerusform>Report: %n files failed</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>verdin::CVerdinApp</name>
    <message>
        <source>%1 を開くことができません。</source>
        <translation>Cannot open %1.</translation>
    </message>
    <message>
        <source>%1に関連づけられたソフトが見つかりません。</source>
        <translation>No program is associated with %1.</translation>
    </message>
    <message>
        <source>%1の実行ができませんでした。</source>
        <translation>Could not run %1.</translation>
    </message>
</context>
<context>
    <name>verdin::CVerdinView</name>
    <message>
        <source>変換を開始できませんでした。</source>
        <translation>Could not start the conversion.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) added.</source>
        <translation>
            <numerusform>%n file added.</numerusform>
            <numerusform>%n files added.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) left out: not COB or .x files or folders.</source>
        <translation>
            <numerusform>%n item left out: not a COB or .x file or folder.</numerusform>
            <numerusform>%n items left out: not COB or .x files or folders.</numerusform>
        </translation>
    </message>
    <message>
        <source>Drop COB or .x files or folders here, or choose File › Add files… (Ctrl+O).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove &amp;all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finishing the current file…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output folder %1 cannot be made. Choose another in the option bar, or empty it to write each file beside its model.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) converted before it stopped.</source>
        <translation>
            <numerusform>%1 of %n file converted before it stopped.</numerusform>
            <numerusform>%1 of %n files converted before it stopped.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) failed.</source>
        <translation>
            <numerusform>%n file failed.</numerusform>
            <numerusform>%n files failed.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not converted: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to convert: add COB or .x files to the list first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>No file is selected. Remove all %n file(s) from the list?</source>
        <translation>
            <numerusform>No file is selected. Remove the %n file from the list?</numerusform>
            <numerusform>No file is selected. Remove all %n files from the list?</numerusform>
        </translation>
    </message>
    <message>
        <source>This cannot be dropped here: only COB and .x files and folders are taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aborted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Converted %n file(s).</source>
        <translation>
            <numerusform>Converted %n file.</numerusform>
            <numerusform>Converted %n files.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>verdin::HelpWindow</name>
    <message>
        <source>Verdin help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The help page %1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find in the page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open in &amp;browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show this page in the program the desktop opens web pages with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>verdin::LookNotice</name>
    <message>
        <source>Keep the look from now on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert them again, keeping the look</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the options of &quot;Keep the look&quot; in the option bar, for every later conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) had newer materials refused and came out white.</source>
        <translation>
            <numerusform>%n file had newer materials refused and came out white.</numerusform>
            <numerusform>%n files had newer materials refused and came out white.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) in the text form were not read.</source>
        <translation>
            <numerusform>%n file in the text form was not read.</numerusform>
            <numerusform>%n files in the text form were not read.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) have objects that overlap without their positions.</source>
        <translation>
            <numerusform>%n file has objects that overlap without their positions.</numerusform>
            <numerusform>%n files have objects that overlap without their positions.</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;Keep the look&quot; in the option bar turns on what reads and places them.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>verdin::PreviewPane</name>
    <message>
        <source>Select a file to see what was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not converted yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n mesh(es)</source>
        <translation>
            <numerusform>%n mesh</numerusform>
            <numerusform>%n meshes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n vertices</source>
        <translation>
            <numerusform>%n vertex</numerusform>
            <numerusform>%n vertices</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n faces</source>
        <translation>
            <numerusform>%n face</numerusform>
            <numerusform>%n faces</numerusform>
        </translation>
    </message>
    <message>
        <source>Not converted: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
