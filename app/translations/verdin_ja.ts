<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>verdin::CAboutDlg</name>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>verdin::CMainFrame</name>
    <message>
        <source>&amp;Add files…	Ctrl+O</source>
        <translation>ファイルを追加(&amp;A)…	Ctrl+O</translation>
    </message>
    <message>
        <source>Add COB and .x files to the list.</source>
        <translation>COB ファイルと .x ファイルをリストに追加します。</translation>
    </message>
    <message>
        <source>Add &amp;folder…</source>
        <translation>フォルダを追加(&amp;F)…</translation>
    </message>
    <message>
        <source>Add the COB and .x files of a folder to the list.</source>
        <translation>フォルダ内の COB ファイルと .x ファイルをリストに追加します。</translation>
    </message>
    <message>
        <source>&amp;Remove	Del</source>
        <translation>削除(&amp;R)	Del</translation>
    </message>
    <message>
        <source>Remove the selected files, or all when none is selected.</source>
        <translation>選択したファイルを削除します。選択がなければすべてを削除します。</translation>
    </message>
    <message>
        <source>Add files</source>
        <translation>ファイルを追加</translation>
    </message>
    <message>
        <source>Models (*.cob *.scn *.x *.COB *.SCN *.X)</source>
        <translation>モデル (*.cob *.scn *.x *.COB *.SCN *.X)</translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation>フォルダを追加</translation>
    </message>
    <message>
        <source>E&amp;xit	Alt+F4</source>
        <translation>終了(&amp;X)	Alt+F4</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Verdin を終了します。</translation>
    </message>
    <message>
        <source>&amp;Delete all	Ctrl+D</source>
        <translation>すべて削除(&amp;D)	Ctrl+D</translation>
    </message>
    <message>
        <source>Delete all COB from list window.</source>
        <translation>リストのファイルをすべて削除します。</translation>
    </message>
    <message>
        <source>&amp;Help	F1</source>
        <translation>ヘルプ(&amp;H)	F1</translation>
    </message>
    <message>
        <source>Show help file.</source>
        <translation>ヘルプを表示します。</translation>
    </message>
    <message>
        <source>&amp;About	F9</source>
        <translation>バージョン情報(&amp;A)	F9</translation>
    </message>
    <message>
        <source>Show copyright and version.</source>
        <translation>著作権とバージョンを表示します。</translation>
    </message>
    <message>
        <source>Convert!</source>
        <translation>変換!</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>ﾚﾃﾞｨ</source>
        <translation>ﾚﾃﾞｨ</translation>
    </message>
    <message>
        <source>ｶﾅ</source>
        <translation>ｶﾅ</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Report</source>
        <translation>レポート(&amp;R)</translation>
    </message>
    <message>
        <source>Show the report of the last conversion.</source>
        <translation>最後の変換のレポートを表示します。</translation>
    </message>
</context>
<context>
    <name>verdin::COptionBar</name>
    <message>
        <source>&amp;Output folder:</source>
        <translation>出力フォルダ(&amp;O):</translation>
    </message>
    <message>
        <source>beside each model file</source>
        <translation>モデルファイルと同じフォルダ</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>出力フォルダ</translation>
    </message>
    <message>
        <source>Add &amp;Template</source>
        <translation>テンプレートを追加(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Binary X File</source>
        <translation>バイナリ X ファイル(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Scale &amp;&amp; Rotation infomation</source>
        <translation>拡大縮小と回転の情報(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Position infomation</source>
        <translation>位置の情報(&amp;P)</translation>
    </message>
    <message>
        <source>PP&amp;M texture</source>
        <translation>PPM テクスチャ(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Newer materials</source>
        <translation>新しい形式のマテリアル(&amp;N)</translation>
    </message>
    <message>
        <source>Flip &amp;V texture</source>
        <translation>テクスチャの V を反転(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;ASCII COB files</source>
        <translation>テキスト形式の COB(&amp;A)</translation>
    </message>
    <message>
        <source>Convert!</source>
        <translation>変換!</translation>
    </message>
    <message>
        <source>Convert listing files</source>
        <translation>リストのファイルを変換します</translation>
    </message>
    <message>
        <source>Convert &amp;to:</source>
        <translation>変換先の形式(&amp;T):</translation>
    </message>
    <message>
        <source>DirectX .x</source>
        <translation>DirectX .x</translation>
    </message>
    <message>
        <source>glTF binary .glb</source>
        <translation>glTF バイナリ .glb</translation>
    </message>
    <message>
        <source>glTF .gltf + .bin</source>
        <translation>glTF .gltf + .bin</translation>
    </message>
    <message>
        <source>glTF files open in Blender, Godot, three.js and game engines</source>
        <translation>glTF ファイルは Blender、Godot、three.js やゲームエンジンで開けます</translation>
    </message>
    <message>
        <source>Where the converted files, textures and PPM files are written</source>
        <translation>変換したファイル、テクスチャ、PPM ファイルの書き出し先</translation>
    </message>
    <message>
        <source>Write DirectX&apos;s template definitions at the head of each .x file.</source>
        <translation>各 .x ファイルの先頭に DirectX のテンプレート定義を書き出します。</translation>
    </message>
    <message>
        <source>Save each .x file in the binary format instead of text.</source>
        <translation>各 .x ファイルをテキストではなくバイナリ形式で保存します。</translation>
    </message>
    <message>
        <source>Apply each object&apos;s scale and rotation to its vertices.</source>
        <translation>各オブジェクトの拡大縮小と回転を頂点に適用します。</translation>
    </message>
    <message>
        <source>Apply each object&apos;s position to its vertices; without it, the objects of a model may overlap.</source>
        <translation>各オブジェクトの位置を頂点に適用します。オフではモデルのオブジェクトが重なることがあります。</translation>
    </message>
    <message>
        <source>Convert 8-bit BMP textures into PPM images and name those in the materials.</source>
        <translation>8 ビットの BMP テクスチャを PPM 画像に変換し、マテリアルではそちらの名前を挙げます。</translation>
    </message>
    <message>
        <source>Read the materials of files from later versions of the modeller; without it they come out white.</source>
        <translation>モデラーの新しい版のファイルのマテリアルを読みます。オフでは白になります。</translation>
    </message>
    <message>
        <source>Write texture coordinates as (u, 1 − v): textures of later versions of the modeller lie the right way up.</source>
        <translation>テクスチャ座標を (u, 1 − v) として書き出します。モデラーの新しい版のテクスチャが正しい向きになります。</translation>
    </message>
    <message>
        <source>Read COB files saved in the text form; without it they are refused.</source>
        <translation>テキスト形式で保存された COB ファイルを読みます。オフでは受け付けません。</translation>
    </message>
    <message>
        <source>Upright a&amp;xes</source>
        <translation>軸を立てる(&amp;X)</translation>
    </message>
    <message>
        <source>Stand the .x model in DirectX&apos;s y-up, left-handed axes, unmirrored.</source>
        <translation>.x のモデルを DirectX の y 軸が上の左手系の軸で、鏡像にせずに立てます。</translation>
    </message>
    <message>
        <source>Names &amp;&amp; &amp;hierarchy</source>
        <translation>名前と階層(&amp;H)</translation>
    </message>
    <message>
        <source>Write a named frame per group and object, nested as in the file, each mesh in its own space.</source>
        <translation>グループとオブジェクトごとに名前付きのフレームをファイルのとおりに入れ子にして書き出し、各メッシュはそれ自身の空間に置きます。</translation>
    </message>
    <message>
        <source>&amp;Full materials</source>
        <translation>完全なマテリアル(&amp;F)</translation>
    </message>
    <message>
        <source>Write each material&apos;s opacity, specular and emissive colours, and texture coordinates on every mesh.</source>
        <translation>各マテリアルの不透明度、スペキュラー色と発光色、すべてのメッシュのテクスチャ座標を書き出します。</translation>
    </message>
    <message>
        <source>An&amp;imation</source>
        <translation>アニメーション(&amp;I)</translation>
    </message>
    <message>
        <source>With names and hierarchy, write the model&apos;s moves and turns as animation.</source>
        <translation>名前と階層とともに、モデルの移動と回転をアニメーションとして書き出します。</translation>
    </message>
    <message>
        <source>Report s&amp;ummary</source>
        <translation>レポートの要約(&amp;U)</translation>
    </message>
    <message>
        <source>Report each kind of chunk passed over once per file, with its count.</source>
        <translation>読み飛ばしたチャンクを、ファイルごとに種類ごとに一度、その数とともに報告します。</translation>
    </message>
    <message>
        <source>&amp;Keep the look</source>
        <translation>見た目を保つ(&amp;K)</translation>
    </message>
    <message>
        <source>Check every option that keeps the look of a file from a later version of the modeller</source>
        <translation>モデラーの新しい版のファイルの見た目を保つオプションをすべてオンにします</translation>
    </message>
</context>
<context>
    <name>verdin::CReportDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>レポート</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>中止しました</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>Cancelling: finishing the current file…</source>
        <translation>中止しています: 変換中のファイルを仕上げています…</translation>
    </message>
    <message>
        <source>Only failures and warnings</source>
        <translation>失敗と警告のみ</translation>
    </message>
    <message numerus="yes">
        <source>Report: %n file(s) failed</source>
        <translation>
            <numerusform>レポート: %n 個のファイルが失敗</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>verdin::CVerdinApp</name>
    <message>
        <source>%1 を開くことができません。</source>
        <translation>%1 を開くことができません。</translation>
    </message>
    <message>
        <source>%1に関連づけられたソフトが見つかりません。</source>
        <translation>%1に関連づけられたソフトが見つかりません。</translation>
    </message>
    <message>
        <source>%1の実行ができませんでした。</source>
        <translation>%1の実行ができませんでした。</translation>
    </message>
</context>
<context>
    <name>verdin::CVerdinView</name>
    <message>
        <source>Drop COB or .x files or folders here, or choose File › Add files… (Ctrl+O).</source>
        <translation>ここに COB ファイルか .x ファイル、またはフォルダをドロップするか、File › ファイルを追加… (Ctrl+O) を選んでください。</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) added.</source>
        <translation>
            <numerusform>%n 個のファイルを追加しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) left out: not COB or .x files or folders.</source>
        <translation>
            <numerusform>COB ファイルでも .x ファイルでもフォルダでもない %n 個の項目を除きました。</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>削除(&amp;R)</translation>
    </message>
    <message>
        <source>Remove &amp;all</source>
        <translation>すべて削除(&amp;A)</translation>
    </message>
    <message>
        <source>変換を開始できませんでした。</source>
        <translation>変換を開始できませんでした。</translation>
    </message>
    <message>
        <source>Finishing the current file…</source>
        <translation>変換中のファイルを仕上げています…</translation>
    </message>
    <message>
        <source>%1 of %2: %3</source>
        <translation>%1 / %2: %3</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be made. Choose another in the option bar, or empty it to write each file beside its model.</source>
        <translation>出力フォルダ %1 を作成できません。オプションバーで別のフォルダを選ぶか、空にして各ファイルをモデルの隣に書き出してください。</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) converted before it stopped.</source>
        <translation>
            <numerusform>中止までに %n 個中 %1 個のファイルを変換しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) failed.</source>
        <translation>
            <numerusform>%n 個のファイルが失敗しました。</numerusform>
        </translation>
    </message>
    <message>
        <source>Not converted: %1</source>
        <translation>変換されていません: %1</translation>
    </message>
    <message>
        <source>Nothing to convert: add COB or .x files to the list first.</source>
        <translation>変換するファイルがありません。先に COB ファイルか .x ファイルをリストに追加してください。</translation>
    </message>
    <message numerus="yes">
        <source>No file is selected. Remove all %n file(s) from the list?</source>
        <translation>
            <numerusform>ファイルが選ばれていません。リストの %n 個のファイルをすべて削除しますか?</numerusform>
        </translation>
    </message>
    <message>
        <source>This cannot be dropped here: only COB and .x files and folders are taken.</source>
        <translation>ここにはドロップできません。受け付けるのは COB ファイル、.x ファイルとフォルダだけです。</translation>
    </message>
    <message>
        <source>aborted.</source>
        <translation>中止しました。</translation>
    </message>
    <message numerus="yes">
        <source>Converted %n file(s).</source>
        <translation>
            <numerusform>%n 個のファイルを変換しました。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>verdin::HelpWindow</name>
    <message>
        <source>Verdin help</source>
        <translation>Verdin ヘルプ</translation>
    </message>
    <message>
        <source>The help page %1 is missing.</source>
        <translation>ヘルプページ %1 が見つかりません。</translation>
    </message>
    <message>
        <source>Find in the page</source>
        <translation>ページ内を検索</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>前へ(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>次へ(&amp;N)</translation>
    </message>
    <message>
        <source>Open in &amp;browser</source>
        <translation>ブラウザで開く(&amp;B)</translation>
    </message>
    <message>
        <source>Show this page in the program the desktop opens web pages with</source>
        <translation>デスクトップが Web ページを開くプログラムでこのページを表示します</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>見つかりません</translation>
    </message>
</context>
<context>
    <name>verdin::LookNotice</name>
    <message>
        <source>Keep the look from now on</source>
        <translation>今後も見た目を保つ</translation>
    </message>
    <message>
        <source>Convert them again, keeping the look</source>
        <translation>見た目を保って再変換</translation>
    </message>
    <message>
        <source>Check the options of &quot;Keep the look&quot; in the option bar, for every later conversion</source>
        <translation>オプションバーの「見た目を保つ」のオプションをチェックし、以後のすべての変換に使います</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) had newer materials refused and came out white.</source>
        <translation>
            <numerusform>%n 個のファイルで新しい形式のマテリアルが読まれず、白くなりました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) in the text form were not read.</source>
        <translation>
            <numerusform>テキスト形式の %n 個のファイルが読まれませんでした。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) have objects that overlap without their positions.</source>
        <translation>
            <numerusform>%n 個のファイルで、位置がないためオブジェクトが重なっています。</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;Keep the look&quot; in the option bar turns on what reads and places them.</source>
        <translation>オプションバーの「見た目を保つ」で、これらを読み込み配置するオプションがオンになります。</translation>
    </message>
</context>
<context>
    <name>verdin::PreviewPane</name>
    <message>
        <source>Select a file to see what was written.</source>
        <translation>ファイルを選ぶと、書き出した内容を表示します。</translation>
    </message>
    <message>
        <source>Not converted yet.</source>
        <translation>まだ変換していません。</translation>
    </message>
    <message>
        <source>Can&apos;t read %1: %2</source>
        <translation>%1 を読めません: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n mesh(es)</source>
        <translation>
            <numerusform>メッシュ %n 個</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n vertices</source>
        <translation>
            <numerusform>頂点 %n 個</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n faces</source>
        <translation>
            <numerusform>面 %n 個</numerusform>
        </translation>
    </message>
    <message>
        <source>Not converted: %1</source>
        <translation>変換されていません: %1</translation>
    </message>
</context>
</TS>
