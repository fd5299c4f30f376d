<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../src/about/aboutdialog.cpp" line="37"/>
        <source>How to play Trivisto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/about/aboutdialog.cpp" line="47"/>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/about/aboutdialog.cpp" line="50"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/about/aboutdialog.cpp" line="96"/>
        <source>Trivisto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/about/aboutdialog.cpp" line="97"/>
        <source>The help text %1 is missing or cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/app/commandline.cpp" line="14"/>
        <source>Trivisto: draw the three projections of a 3D wireframe.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="16"/>
        <source>Show this help and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="18"/>
        <source>Show the version and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="21"/>
        <source>Start at level N (0 to %1): more walk steps at higher levels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="25"/>
        <source>Start on the figure of a puzzle code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="46"/>
        <source>Try &apos;trivisto --help&apos; for the options.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="63"/>
        <source>Unexpected argument: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="69"/>
        <source>The level must be a whole number from 0 to %1, not &apos;%2&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/commandline.cpp" line="77"/>
        <source>Puzzle code &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HighScoresDialog</name>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="37"/>
        <source>High scores</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="42"/>
        <source>#</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="42"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="42"/>
        <source>Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="42"/>
        <source>Seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="43"/>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="43"/>
        <source>Best score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="43"/>
        <source>Date (UTC)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="43"/>
        <source>Puzzle code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="52"/>
        <source>Best turn of each level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="74"/>
        <source>record to beat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="86"/>
        <source>No results yet: any score is a record.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="87"/>
        <source>Record to beat: %1 by %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/highscoresdialog.cpp" line="102"/>
        <source>The turn history is unavailable, so the best turns are not shown.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="131"/>
        <location filename="../src/game/mainwindow.cpp" line="223"/>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="132"/>
        <location filename="../src/game/mainwindow.cpp" line="224"/>
        <source>Check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="133"/>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="134"/>
        <source>About Trivisto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="135"/>
        <source>Full Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="138"/>
        <source>Settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="140"/>
        <source>Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="141"/>
        <source>Restart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="142"/>
        <source>Open Puzzle Code...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="144"/>
        <source>Copy Puzzle Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="147"/>
        <source>Today&apos;s Figure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="149"/>
        <source>Assessment...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="150"/>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="152"/>
        <source>High Scores</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="156"/>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="159"/>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="166"/>
        <source>Clear Sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="170"/>
        <source>Hint (costs %1 points)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="172"/>
        <source>Peek (costs %1 points)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="174"/>
        <source>Cancel stroke or close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="177"/>
        <source>Redraw the view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="184"/>
        <source>Thinner Lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="188"/>
        <source>Thicker Lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="225"/>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="226"/>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="228"/>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="234"/>
        <source>Level: more walk segments from the next New on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="265"/>
        <source>Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="296"/>
        <source>&amp;Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="298"/>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="299"/>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="300"/>
        <source>&amp;Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="301"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="327"/>
        <location filename="../src/game/mainwindow.cpp" line="339"/>
        <location filename="../src/game/mainwindow.cpp" line="413"/>
        <location filename="../src/game/mainwindow.cpp" line="443"/>
        <source>Trivisto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="453"/>
        <source>Open Puzzle Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="453"/>
        <source>Puzzle code (as XXXX-XXXX-X):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="526"/>
        <location filename="../src/game/mainwindow.cpp" line="538"/>
        <source>Assessment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="527"/>
        <source>An assessment is the same %1 figures for every player, from easy to hard, played in one sitting. Check each figure, then press New for the next one. Its total is kept in your statistics, so you can measure your progress over the weeks.

Start the assessment now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="539"/>
        <source>Assessment complete: %1 points in %2 seconds over %3 figures. Statistics (Ctrl+T) shows your sittings over time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="553"/>
        <source>Try level %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="554"/>
        <source>Ease to level %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="556"/>
        <source>Your last turns at this level went well: one level up for the next New?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="557"/>
        <source>Your last turns at this level were hard: one level down for the next New?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="639"/>
        <source>Checked after 1 second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="639"/>
        <source>Checked after %1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="640"/>
        <source>Right %1   Wrong %2   Score %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="643"/>
        <source>   after help %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="646"/>
        <source>Time %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="648"/>
        <source>Help so far: -%1 points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="650"/>
        <source>Best score %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="652"/>
        <source>Daily figure %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/mainwindow.cpp" line="652"/>
        <source>Puzzle %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ManualWindow</name>
    <message>
        <location filename="../src/about/manualwindow.cpp" line="15"/>
        <source>Trivisto Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/about/manualwindow.cpp" line="33"/>
        <source>Trivisto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/about/manualwindow.cpp" line="34"/>
        <source>%1 is missing or cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordNameDialog</name>
    <message>
        <location filename="../src/results/recordnamedialog.cpp" line="19"/>
        <source>This is a new record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/results/recordnamedialog.cpp" line="27"/>
        <source>Please make your inspirition into the score list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/results/recordnamedialog.cpp" line="41"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/results/recordnamedialog.cpp" line="67"/>
        <source>Input form</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <location filename="../src/app/settingsdialog.cpp" line="16"/>
        <source>Trivisto Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/settingsdialog.cpp" line="24"/>
        <source>Play sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/settingsdialog.cpp" line="26"/>
        <source>Full screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/settingsdialog.cpp" line="28"/>
        <source>Colour-blind-safe colours after Check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/settingsdialog.cpp" line="32"/>
        <source>The system&apos;s language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/settingsdialog.cpp" line="35"/>
        <source>A new language shows from the next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/settingsdialog.cpp" line="39"/>
        <source>Level for new figures:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/settingsdialog.cpp" line="40"/>
        <source>Line width of the 3D view:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/app/settingsdialog.cpp" line="44"/>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <location filename="../src/app/settings.cpp" line="61"/>
        <source>Your settings could not be saved in %1. The game goes on with them until it ends.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="92"/>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="101"/>
        <source>Last 7 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="102"/>
        <source>Last 30 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="103"/>
        <source>Last 365 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="104"/>
        <source>All time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="106"/>
        <source>Export CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="121"/>
        <source>Level:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="123"/>
        <source>Period:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="155"/>
        <source>All levels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="161"/>
        <source>Level %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="193"/>
        <source>The turn history is unavailable, so there is nothing to show.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="195"/>
        <source>1 turn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="195"/>
        <source>%1 turns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="196"/>
        <source>Daily streak: 1 day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="196"/>
        <source>Daily streak: %1 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="199"/>
        <source>Final score per day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="201"/>
        <source>Average of the day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="204"/>
        <source>Average of %1 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="215"/>
        <source>Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="220"/>
        <source>Accuracy per sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="221"/>
        <source>Right of all points counted, %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="222"/>
        <source>X (x,y)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="222"/>
        <source>Y (x,z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="222"/>
        <source>Z (y,z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="232"/>
        <source>Accuracy per sheet (hardest: %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="238"/>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="243"/>
        <source>Average seconds per level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="244"/>
        <location filename="../src/progress/statisticsdialog.cpp" line="255"/>
        <source>Seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="260"/>
        <source>Turns per day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="262"/>
        <location filename="../src/progress/statisticsdialog.cpp" line="274"/>
        <source>Turns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="288"/>
        <source>The turn history is unavailable, so there is nothing to export.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="300"/>
        <source>Export the turn history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/progress/statisticsdialog.cpp" line="301"/>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TurnController</name>
    <message>
        <location filename="../src/game/turncontroller.cpp" line="287"/>
        <source>Draw a stroke</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/game/turncontroller.cpp" line="302"/>
        <source>Clear a sheet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/main.cpp" line="63"/>
        <source>The folder %1 could not be made, so records and the history cannot be kept this time. The game goes on.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
