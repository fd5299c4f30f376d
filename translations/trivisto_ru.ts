<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../src/ui/dialogs/aboutdialog.cpp" line="26"/>
        <source>How to play Trivisto</source>
        <translation>Как играть в Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/aboutdialog.cpp" line="68"/>
        <source>Version %1, licensed under the GNU GPL 3.0 or later. Built with Qt %2, running on Qt %3.</source>
        <translation>Версия %1, распространяется по лицензии GNU GPL 3.0 или более поздней. Собрано с Qt %2, работает на Qt %3.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/aboutdialog.cpp" line="77"/>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/aboutdialog.cpp" line="80"/>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/aboutdialog.cpp" line="129"/>
        <source>Trivisto</source>
        <translation>Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/aboutdialog.cpp" line="130"/>
        <source>The help text %1 is missing or cannot be read.</source>
        <translation>Текст справки %1 отсутствует или не читается.</translation>
    </message>
</context>
<context>
    <name>AssignmentFiles</name>
    <message>
        <location filename="../src/ui/app/assignmentfiles.cpp" line="23"/>
        <source>The folder %1 could not be made: results are kept in %2</source>
        <translation>Не удалось создать папку %1: результаты сохраняются в %2</translation>
    </message>
</context>
<context>
    <name>AssignmentFlow</name>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="37"/>
        <location filename="../src/ui/window/assignmentflow.cpp" line="138"/>
        <source>Assignment</source>
        <translation>Задание</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="38"/>
        <source>Your name, as your teacher should see it on your results:</source>
        <translation>Ваше имя — так его увидит учитель в ваших результатах:</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="59"/>
        <source>Open Assignment</source>
        <translation>Открыть задание</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="60"/>
        <source>Trivisto assignments</source>
        <translation>Задания Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="108"/>
        <source>The assignment %1 is open in another copy of Trivisto.</source>
        <translation>Задание «%1» уже открыто в другой копии Trivisto.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="110"/>
        <source>The assignment could not be locked for this copy: %1</source>
        <translation>Не удалось заблокировать задание для этой копии: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="117"/>
        <source>No free name is left for a result file of %1 in %2.</source>
        <translation>В папке %2 не осталось свободного имени для файла результата задания «%1».</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="128"/>
        <source>Results go to %1</source>
        <translation>Результаты сохраняются в %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="139"/>
        <source>Leave the assignment? What you checked stays in %1, and opening the assignment again goes on where you stopped.</source>
        <translation>Выйти из задания? Всё проверенное останется в %1, а если снова открыть задание, оно продолжится с того же места.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="155"/>
        <source>%1: figure %2 of %3</source>
        <translation>%1: фигура %2 из %3</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="168"/>
        <location filename="../src/ui/window/assignmentflow.cpp" line="189"/>
        <source>Result saved in %1</source>
        <translation>Результат сохранён в %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="170"/>
        <source>The result could not be saved in %1: %2. It is kept while the game runs; Save Result As... can save it elsewhere.</source>
        <translation>Не удалось сохранить результат в %1: %2. Он хранится, пока игра запущена; командой «Сохранить результат как...» его можно сохранить в другом месте.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="179"/>
        <source>Open an assignment first: its result is saved as you check each figure.</source>
        <translation>Сначала откройте задание: его результат сохраняется при проверке каждой фигуры.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="182"/>
        <source>Save Result As</source>
        <translation>Сохранить результат как</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="183"/>
        <source>Trivisto results</source>
        <translation>Результаты Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="191"/>
        <source>The result could not be saved in %1: %2</source>
        <translation>Не удалось сохранить результат в %1: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/window/assignmentflow.cpp" line="201"/>
        <source>The assignment is over: your results are in %1</source>
        <translation>Задание завершено: ваши результаты в %1</translation>
    </message>
</context>
<context>
    <name>ClassResultsWindow</name>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="41"/>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="51"/>
        <source>Not checked yet.</source>
        <translation>Ещё не проверено.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="53"/>
        <source>Score: %1
Time: %2 s
Hints: %3
Peeks: %4
Checked: %5</source>
        <translation>Счёт: %1
Время: %2 с
Подсказки: %3
Подглядывания: %4
Проверено: %5</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="58"/>
        <source>Checked after the due day.</source>
        <translation>Проверено после срока сдачи.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="69"/>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="69"/>
        <source>no</source>
        <translation>нет</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="76"/>
        <source>Class Results</source>
        <translation>Результаты класса</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="83"/>
        <source>Add Files…</source>
        <translation>Добавить файлы…</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="85"/>
        <source>Add Folder…</source>
        <translation>Добавить папку…</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="87"/>
        <source>Export CSV…</source>
        <translation>Экспорт в CSV…</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="158"/>
        <source>1 file read.</source>
        <translation>Прочитан 1 файл.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="158"/>
        <source>%n files read.</source>
        <translation>
            <numerusform>Прочитан %n файл.</numerusform>
            <numerusform>Прочитано %n файла.</numerusform>
            <numerusform>Прочитано %n файлов.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="167"/>
        <source>The folder %1 cannot be read.</source>
        <translation>Не удаётся прочитать папку %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="175"/>
        <source>The folder %1 holds no result files (%2).</source>
        <translation>В папке %1 нет файлов результатов (%2).</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="186"/>
        <source>The class table could not be saved as %1: %2.</source>
        <translation>Не удалось сохранить таблицу класса как %1: %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="188"/>
        <source>The class table was saved as %1.</source>
        <translation>Таблица класса сохранена как %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="203"/>
        <source>No assignment is open.</source>
        <translation>Задание не открыто.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="205"/>
        <source>Class Results – %1</source>
        <translation>Результаты класса – %1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="208"/>
        <source>1 figure</source>
        <translation>1 фигура</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="208"/>
        <source>%n figures</source>
        <translation>
            <numerusform>%n фигура</numerusform>
            <numerusform>%n фигуры</numerusform>
            <numerusform>%n фигур</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="209"/>
        <source>hints allowed</source>
        <translation>подсказки разрешены</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="209"/>
        <source>no hints</source>
        <translation>без подсказок</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="209"/>
        <source>peeks allowed</source>
        <translation>подглядывание разрешено</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="209"/>
        <source>no peeks</source>
        <translation>без подглядывания</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="214"/>
        <source>due %1</source>
        <translation>срок сдачи %1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="222"/>
        <source>1 result counted</source>
        <translation>Учтён 1 результат</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="222"/>
        <source>%n results counted</source>
        <translation>
            <numerusform>Учтён %n результат</numerusform>
            <numerusform>Учтено %n результата</numerusform>
            <numerusform>Учтено %n результатов</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="225"/>
        <source>1 file not counted</source>
        <translation>1 файл не учтён</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="225"/>
        <source>%n files not counted</source>
        <translation>
            <numerusform>%n файл не учтён</numerusform>
            <numerusform>%n файла не учтены</numerusform>
            <numerusform>%n файлов не учтены</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="235"/>
        <source>Student</source>
        <translation>Ученик</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="237"/>
        <source>Figure %1</source>
        <translation>Фигура %1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="239"/>
        <source>Total</source>
        <translation>Итого</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="239"/>
        <source>Complete</source>
        <translation>Завершено</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="239"/>
        <source>Late</source>
        <translation>Опоздание</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="239"/>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="308"/>
        <source>Class mean per figure</source>
        <translation>Среднее по классу для каждой фигуры</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="309"/>
        <source>Class mean</source>
        <translation>Среднее по классу</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="311"/>
        <source>Figure</source>
        <translation>Фигура</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="342"/>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="353"/>
        <source>Figure %1, %2: %3</source>
        <translation>Фигура %1, %2: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="356"/>
        <source>no result yet</source>
        <translation>результатов пока нет</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="366"/>
        <source>Add result files</source>
        <translation>Добавить файлы результатов</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="367"/>
        <source>Trivisto results (*%1);;All files (*)</source>
        <translation>Результаты Trivisto (*%1);;Все файлы (*)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="374"/>
        <source>Add a folder of result files</source>
        <translation>Добавить папку с файлами результатов</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="386"/>
        <source>Export the class table</source>
        <translation>Экспорт таблицы класса</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="387"/>
        <source>%1 results</source>
        <translation>%1 - результаты</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/classresultswindow.cpp" line="389"/>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Файлы CSV (*.csv);;Все файлы (*)</translation>
    </message>
</context>
<context>
    <name>ClassroomText</name>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="28"/>
        <source>the file&apos;s contents</source>
        <translation>содержимое файла</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="31"/>
        <source>“%1”</source>
        <translation>«%1»</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="34"/>
        <source>figure %1</source>
        <translation>фигура %1</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="35"/>
        <source>“%1” of figure %2</source>
        <translation>«%1» фигуры %2</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="41"/>
        <source>a text</source>
        <translation>текст</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="43"/>
        <source>a whole number</source>
        <translation>целое число</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="45"/>
        <source>true or false</source>
        <translation>true или false</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="47"/>
        <source>a list</source>
        <translation>список</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="49"/>
        <source>a group of values</source>
        <translation>группа значений</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="57"/>
        <source>a Trivisto assignment</source>
        <translation>задание Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="59"/>
        <source>a student&apos;s Trivisto result</source>
        <translation>результат ученика из Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="60"/>
        <source>a file of the kind “%1”</source>
        <translation>файл типа «%1»</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="65"/>
        <source>%1 is damaged or was edited: %2.</source>
        <translation>Файл %1 повреждён или изменён: %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="78"/>
        <source>%1 is too large for a Trivisto file: it is over %2.</source>
        <translation>Файл %1 слишком велик для файла Trivisto: он больше %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="81"/>
        <source>%1 is not a Trivisto file, or it is damaged: its text is not UTF-8 (at byte %2).</source>
        <translation>Файл %1 — не файл Trivisto или повреждён: его текст не в кодировке UTF-8 (байт %2).</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="89"/>
        <source>%1 is not a Trivisto file, or it is damaged: it is not valid JSON at byte %2 (%3).</source>
        <translation>Файл %1 — не файл Trivisto или повреждён: в нём ошибка JSON в байте %2 (%3).</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="94"/>
        <source>%1 is not a Trivisto file, or it is damaged: it is not valid JSON (%2).</source>
        <translation>Файл %1 — не файл Trivisto или повреждён: в нём ошибка JSON (%2).</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="97"/>
        <source>%1 nests deeper than %2 levels</source>
        <translation>%1: слишком глубокая вложенность (больше %2 уровней)</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="99"/>
        <source>%1 is given twice</source>
        <translation>%1 встречается дважды</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="102"/>
        <source>%1 holds %2, which is not a whole number this game can read</source>
        <translation>%1 содержит %2, а это не целое число, которое может прочитать эта игра</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="105"/>
        <source>%1 is not a Trivisto assignment or result file.</source>
        <translation>Файл %1 — не задание и не результат Trivisto.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="106"/>
        <source>%1 is not the kind of file expected here: it is %2.</source>
        <translation>Файл %1 здесь не подходит: это %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="108"/>
        <source>%1 is from a newer version of Trivisto (version %2); this game reads version %3.</source>
        <translation>Файл %1 — из более новой версии Trivisto (версия %2); эта игра читает версию %3.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="113"/>
        <source>%1 is missing</source>
        <translation>%1 отсутствует</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="115"/>
        <source>%1 is not %2</source>
        <translation>%1 — не %2</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="117"/>
        <source>%1 holds “%2”, which is not allowed there</source>
        <translation>%1 содержит «%2», а такое значение здесь недопустимо</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/app/classroomtext.cpp" line="120"/>
        <source>it lists %n figures, and an assignment holds 1 to %1</source>
        <translation>
            <numerusform>в нём %n фигура, а в задании их может быть от 1 до %1</numerusform>
            <numerusform>в нём %n фигуры, а в задании их может быть от 1 до %1</numerusform>
            <numerusform>в нём %n фигур, а в задании их может быть от 1 до %1</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="124"/>
        <source>%1 repeats the figure %2</source>
        <translation>%1 повторяет фигуру %2</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="127"/>
        <source>whether it is complete contradicts its figures</source>
        <translation>отметка о завершённости противоречит его фигурам</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="128"/>
        <source>%1 has some of its results missing</source>
        <translation>%1: не хватает части результатов</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="130"/>
        <source>its checksum does not match</source>
        <translation>его контрольная сумма не совпадает</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="133"/>
        <source>%1 does not match the assignment: it holds %2 figures, not the assignment&apos;s.</source>
        <translation>Файл %1 не соответствует заданию: число фигур в нём (%2) не такое, как в задании.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="136"/>
        <source>%1 does not match the assignment: %2 is “%3”, not the assignment&apos;s exercise.</source>
        <translation>Файл %1 не соответствует заданию: %2 — «%3», а в задании другое упражнение.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="138"/>
        <source>%1 does not match the assignment: %2 is %3, not the assignment&apos;s figure.</source>
        <translation>Файл %1 не соответствует заданию: %2 — %3, а в задании здесь другая фигура.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="142"/>
        <source>%1 belongs to another assignment (id %2).</source>
        <translation>Файл %1 относится к другому заданию (идентификатор %2).</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="143"/>
        <source>%1 belongs to another assignment, “%2”.</source>
        <translation>Файл %1 относится к другому заданию — «%2».</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="145"/>
        <source>%1 could not be read: %2.</source>
        <translation>Не удалось прочитать файл %1: %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="147"/>
        <location filename="../src/ui/app/classroomtext.cpp" line="182"/>
        <source>%1 cannot be used.</source>
        <translation>Файл %1 нельзя использовать.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="154"/>
        <source>ok</source>
        <translation>в порядке</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="156"/>
        <source>damaged or edited</source>
        <translation>повреждён или изменён</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="158"/>
        <source>newer version</source>
        <translation>более новая версия</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="160"/>
        <source>other assignment</source>
        <translation>другое задание</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="162"/>
        <source>duplicate: kept %1</source>
        <translation>повтор: учтён %1</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="164"/>
        <source>unreadable</source>
        <translation>не читается</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="176"/>
        <source>%1 is another result of %2; the one checked last, %3, is counted.</source>
        <translation>%1 — ещё один результат ученика %2; учитывается тот, что проверен последним: %3.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="187"/>
        <source>Build the figure</source>
        <translation>Построить фигуру</translation>
    </message>
    <message>
        <location filename="../src/ui/app/classroomtext.cpp" line="187"/>
        <source>Draw the views</source>
        <translation>Нарисовать виды</translation>
    </message>
</context>
<context>
    <name>CoachCharts</name>
    <message>
        <location filename="../src/ui/dialogs/coachcharts.cpp" line="89"/>
        <source>Rating</source>
        <translation>Рейтинг</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/coachcharts.cpp" line="118"/>
        <source>Predicted and actual accuracy</source>
        <translation>Прогноз и настоящая точность</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/coachcharts.cpp" line="119"/>
        <source>Predicted, %</source>
        <translation>Прогноз, %</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/coachcharts.cpp" line="120"/>
        <source>Actual, %</source>
        <translation>На самом деле, %</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/coachcharts.cpp" line="122"/>
        <source>Honest prediction</source>
        <translation>Честный прогноз</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/coachcharts.cpp" line="128"/>
        <source>Your turns</source>
        <translation>Ваши ходы</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/coachcharts.cpp" line="139"/>
        <source>No hints or peeks in this period</source>
        <translation>За этот период подсказок и подглядываний не было</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/coachcharts.cpp" line="144"/>
        <source>Before the first hint or peek: %1 s and %2 strokes on average (1 turn)</source>
        <translation>До первой подсказки или подглядывания в среднем: %1 с, линий — %2 (1 ход)</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/coachcharts.cpp" line="145"/>
        <source>Before the first hint or peek: %1 s and %2 strokes on average (%n turns)</source>
        <translation>
            <numerusform>До первой подсказки или подглядывания в среднем: %1 с, линий — %2 (%n ход)</numerusform>
            <numerusform>До первой подсказки или подглядывания в среднем: %1 с, линий — %2 (%n хода)</numerusform>
            <numerusform>До первой подсказки или подглядывания в среднем: %1 с, линий — %2 (%n ходов)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="68"/>
        <source>Trivisto: draw the three projections of a 3D wireframe.</source>
        <translation>Trivisto: нарисуйте три проекции объёмной каркасной фигуры.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="70"/>
        <source>Show this help and exit.</source>
        <translation>Показать эту справку и выйти.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="72"/>
        <source>Show the version and exit.</source>
        <translation>Показать версию и выйти.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="75"/>
        <source>Start at level N (0 to %1): more walk steps at higher levels.</source>
        <translation>Начать с уровня N (от 0 до %1): чем выше уровень, тем больше звеньев у ломаной.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="79"/>
        <source>Start on the figure of a puzzle code.</source>
        <translation>Начать с фигуры, заданной кодом задачи.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="83"/>
        <source>Continue the unfinished turn of the last game.</source>
        <translation>Продолжить незаконченный ход прошлой игры.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="86"/>
        <source>Play this exercise: views (draw the three views, the default) or build (build the figure from its views).</source>
        <translation>Упражнение: views (нарисовать три вида, по умолчанию) или build (построить фигуру по её видам).</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="98"/>
        <source>Write a new assignment to FILE, with --title, --levels and --count.</source>
        <translation>Записать новое задание в FILE; нужны --title, --levels и --count.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="100"/>
        <source>The new assignment&apos;s title.</source>
        <translation>Название нового задания.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="102"/>
        <source>The levels of its figures, as LOW-HIGH (0 to %1).</source>
        <translation>Уровни его фигур: LOW-HIGH (от 0 до %1).</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="104"/>
        <source>How many figures it holds (1 to %1).</source>
        <translation>Сколько в нём фигур (от 1 до %1).</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="105"/>
        <source>Allow no hints in it.</source>
        <translation>Запретить в нём подсказки.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="106"/>
        <source>Allow no peeks in it.</source>
        <translation>Запретить в нём подглядывание.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="108"/>
        <source>The day it is due, as YYYY-MM-DD.</source>
        <translation>Срок сдачи: ГГГГ-ММ-ДД.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="110"/>
        <source>Write the class table of the result files and folders given to the file of --csv.</source>
        <translation>Записать таблицу класса по данным файлам и папкам результатов в файл из --csv.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="113"/>
        <source>The class table&apos;s CSV file.</source>
        <translation>Файл CSV для таблицы класса.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="115"/>
        <source>Write the assignment&apos;s worksheet to the PDF file of --pdf.</source>
        <translation>Записать рабочие листы задания в файл PDF из --pdf.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="117"/>
        <source>The worksheet&apos;s PDF file.</source>
        <translation>Файл PDF для рабочих листов.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="121"/>
        <source>An assignment to play (.trivisto-assignment).</source>
        <translation>Задание для игры (.trivisto-assignment).</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="128"/>
        <source>Try &apos;trivisto --help&apos; for the options.</source>
        <translation>Список параметров: «trivisto --help».</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="157"/>
        <source>Give only one of --make-assignment, --class-report and --print-assignment.</source>
        <translation>Укажите только одно из: --make-assignment, --class-report, --print-assignment.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="163"/>
        <source>--%1 goes with --%2.</source>
        <translation>--%1 указывается только вместе с --%2.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="167"/>
        <source>--%1 is for playing, not for --%2.</source>
        <translation>--%1 — для игры, а не для --%2.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="170"/>
        <location filename="../src/ui/app/commandline.cpp" line="226"/>
        <source>Unexpected argument: %1</source>
        <translation>Неизвестный аргумент: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="177"/>
        <source>--make-assignment needs --%1.</source>
        <translation>Для --make-assignment нужен --%1.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="186"/>
        <source>The levels must be LOW-HIGH with 0 &lt;= LOW &lt;= HIGH &lt;= %1, not &apos;%2&apos;.</source>
        <translation>Уровни задаются как LOW-HIGH, где 0 &lt;= LOW &lt;= HIGH &lt;= %1, а не «%2».</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="192"/>
        <source>The count must be a whole number from 1 to %1, not &apos;%2&apos;.</source>
        <translation>Число фигур должно быть целым от 1 до %1, а не «%2».</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="200"/>
        <source>The due date must be a day as YYYY-MM-DD, not &apos;%1&apos;.</source>
        <translation>Срок сдачи должен быть датой вида YYYY-MM-DD, а не «%1».</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="207"/>
        <source>--class-report needs result files or folders after the assignment.</source>
        <translation>Для --class-report после задания нужны файлы или папки с результатами.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="209"/>
        <source>--class-report needs --csv.</source>
        <translation>Для --class-report нужен --csv.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="218"/>
        <source>--print-assignment needs --pdf.</source>
        <translation>Для --print-assignment нужен --pdf.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="229"/>
        <source>An assignment file and --puzzle exclude each other.</source>
        <translation>Файл задания и --puzzle нельзя указывать вместе.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="231"/>
        <source>An assignment file and --continue exclude each other.</source>
        <translation>Файл задания и --continue нельзя указывать вместе.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="235"/>
        <source>--puzzle and --continue exclude each other.</source>
        <translation>--puzzle и --continue нельзя указывать вместе.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="241"/>
        <source>The level must be a whole number from 0 to %1, not &apos;%2&apos;.</source>
        <translation>Уровень должен быть целым числом от 0 до %1, а не «%2».</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="247"/>
        <source>Puzzle code &apos;%1&apos;: %2</source>
        <translation>Код задачи «%1»: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/app/commandline.cpp" line="148"/>
        <source>The exercise must be views or build, not &apos;%1&apos;.</source>
        <translation>Упражнение должно быть views или build, а не «%1».</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="25"/>
        <source>New</source>
        <translation>Новая фигура</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="26"/>
        <source>Restart</source>
        <translation>Начать заново</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="27"/>
        <source>Continue Last Turn</source>
        <translation>Продолжить прошлый ход</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="29"/>
        <source>Check</source>
        <translation>Проверка</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="30"/>
        <source>Today&apos;s Figure</source>
        <translation>Фигура дня</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="31"/>
        <source>Open Puzzle Code...</source>
        <translation>Ввести код задачи...</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="32"/>
        <source>Copy Puzzle Code</source>
        <translation>Копировать код задачи</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="33"/>
        <source>Assessment...</source>
        <translation>Испытание...</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="34"/>
        <source>High Scores</source>
        <translation>Рекорды</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="35"/>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="36"/>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="37"/>
        <source>Draw the views</source>
        <translation>Нарисовать виды</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="38"/>
        <source>Build the figure</source>
        <translation>Построить фигуру</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="45"/>
        <source>Your Figure, the Generated One or Both</source>
        <translation>Ваша фигура, фигура игры или обе</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="48"/>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="49"/>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="59"/>
        <source>Clear Sheet</source>
        <translation>Очистить лист</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="60"/>
        <source>Hint (costs %1 points)</source>
        <translation>Подсказка (стоит %1 очков)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="61"/>
        <source>Peek (costs %1 points)</source>
        <translation>Подсмотреть (стоит %1 очков)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="63"/>
        <source>Full Screen</source>
        <translation>Полноэкранный режим</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="65"/>
        <source>View as Sheet X (from the front)</source>
        <translation>Вид как на листе X (спереди)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="66"/>
        <source>View as Sheet Y (from below)</source>
        <translation>Вид как на листе Y (снизу)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="67"/>
        <source>View as Sheet Z (from the right, on its side)</source>
        <translation>Вид как на листе Z (справа, на боку)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="68"/>
        <source>Start View</source>
        <translation>Исходный вид</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="69"/>
        <source>Thinner Lines</source>
        <translation>Тоньше линии</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="70"/>
        <source>Thicker Lines</source>
        <translation>Толще линии</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="72"/>
        <source>Redraw the View</source>
        <translation>Перерисовать вид</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="74"/>
        <source>Open Assignment...</source>
        <translation>Открыть задание...</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="75"/>
        <source>Save Result As...</source>
        <translation>Сохранить результат как...</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="76"/>
        <source>New Assignment...</source>
        <translation>Новое задание...</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="77"/>
        <source>Class Results...</source>
        <translation>Результаты класса...</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="78"/>
        <source>Print Assignment...</source>
        <translation>Печать задания...</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="79"/>
        <source>Export Worksheet...</source>
        <translation>Экспорт рабочего листа...</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="82"/>
        <source>Settings...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="83"/>
        <source>Manual</source>
        <translation>Руководство</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="84"/>
        <source>Guide</source>
        <translation>Обучение</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="85"/>
        <source>About Trivisto</source>
        <translation>О программе Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="86"/>
        <source>Cancel Stroke or Close</source>
        <translation>Отменить линию или закрыть окно</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="102"/>
        <source>&amp;Game</source>
        <translation>&amp;Игра</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="106"/>
        <source>E&amp;xercise</source>
        <translation>&amp;Упражнение</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="112"/>
        <source>&amp;Assignment</source>
        <translation>&amp;Задание</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="118"/>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="119"/>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="121"/>
        <source>&amp;Settings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <location filename="../src/ui/window/commands.cpp" line="122"/>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="80"/>
        <source>New</source>
        <translation>Ход</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="81"/>
        <source>Check</source>
        <translation>Проверка</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="82"/>
        <source>End</source>
        <translation>Конец</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="83"/>
        <source>About</source>
        <translation>Автор</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="86"/>
        <location filename="../src/ui/window/controlpanel.cpp" line="91"/>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="90"/>
        <source>Level: more walk segments from the next New on</source>
        <translation>Уровень: чем выше, тем больше звеньев у ломаной (со следующего хода)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="115"/>
        <source>Menu</source>
        <translation>Меню</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="166"/>
        <source>Checked after 1 second</source>
        <translation>Проверено через 1 с</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="166"/>
        <source>Checked after %1 seconds</source>
        <translation>Проверено через %1 с</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="167"/>
        <source>Right %1   Wrong %2   Score %3</source>
        <translation>Верно %1   Неверно %2   Счёт %3</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="169"/>
        <source>   after help %1</source>
        <translation>   с учётом помощи %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="172"/>
        <source>Time %1 s</source>
        <translation>Время %1 с</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="176"/>
        <source>Cursor (%1, %2, %3)</source>
        <translation>Курсор (%1, %2, %3)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="184"/>
        <source>Help so far: -%1 points</source>
        <translation>За помощь: -%1 очков</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="187"/>
        <source>Best score %1</source>
        <translation>Лучший счёт %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="192"/>
        <source>Assessment figure %1 of %2</source>
        <translation>Испытание: фигура %1 из %2</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="194"/>
        <source>Daily figure %1</source>
        <translation>Фигура дня %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="194"/>
        <source>Puzzle %1</source>
        <translation>Задача %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="216"/>
        <source>Try level %1</source>
        <translation>Уровень %1 ↑</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="217"/>
        <source>Ease to level %1</source>
        <translation>Уровень %1 ↓</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="219"/>
        <source>Your rating expects about the target accuracy at level %1: that level for the next New?</source>
        <translation>Ваш рейтинг ожидает целевую точность примерно на уровне %1: взять этот уровень для следующего хода?</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="223"/>
        <source>Your last turns at this level went well: one level up for the next New?</source>
        <translation>Последние ходы на этом уровне удались. Поднять уровень на единицу со следующего хода?</translation>
    </message>
    <message>
        <location filename="../src/ui/window/controlpanel.cpp" line="224"/>
        <source>Your last turns at this level were hard: one level down for the next New?</source>
        <translation>Последние ходы на этом уровне дались тяжело. Снизить уровень на единицу со следующего хода?</translation>
    </message>
</context>
<context>
    <name>DialogFlows</name>
    <message>
        <location filename="../src/ui/window/dialogflows.cpp" line="62"/>
        <location filename="../src/ui/window/dialogflows.cpp" line="71"/>
        <location filename="../src/ui/window/dialogflows.cpp" line="77"/>
        <source>Assessment</source>
        <translation>Испытание</translation>
    </message>
    <message>
        <location filename="../src/ui/window/dialogflows.cpp" line="63"/>
        <source>An assessment is the same %1 figures for every player, from easy to hard, played in one sitting. Check each figure, then press New for the next one. Its total is kept in your statistics, so you can measure your progress over the weeks.

Start the assessment now?</source>
        <translation>Испытание — это одни и те же %1 фигур для всех игроков, от простых к сложным, которые нужно пройти за один раз. Проверяйте каждую фигуру, а затем нажимайте «Ход», чтобы перейти к следующей. Итог сохраняется в статистике, и по нему можно следить за своими успехами из недели в неделю.

Начать испытание?</translation>
    </message>
    <message>
        <location filename="../src/ui/window/dialogflows.cpp" line="71"/>
        <source>Leave the assessment? It will not be counted.</source>
        <translation>Прервать испытание? Оно не будет засчитано.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/dialogflows.cpp" line="78"/>
        <source>Assessment complete: %1 points in %2 seconds over %3 figures. Statistics (Ctrl+T) shows your sittings over time.</source>
        <translation>Испытание завершено. Фигур: %3, счёт: %1, время: %2 с. Все ваши испытания показаны в статистике (Ctrl+T).</translation>
    </message>
    <message>
        <location filename="../src/ui/window/dialogflows.cpp" line="97"/>
        <source>Trivisto</source>
        <translation>Trivisto</translation>
    </message>
</context>
<context>
    <name>FigureView</name>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="192"/>
        <source>Both figures: yours and the generated one</source>
        <translation>Обе фигуры: ваша и фигура игры</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="193"/>
        <source>Your figure</source>
        <translation>Ваша фигура</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="194"/>
        <source>The generated figure</source>
        <translation>Фигура игры</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="212"/>
        <source>The figure in 3D</source>
        <translation>Фигура в 3D</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="213"/>
        <source>Drag to turn it, the wheel zooms; X, Y and Z show it as the sheets do, R returns to the start view.</source>
        <translation>Перетащите мышью, чтобы повернуть её; колесо меняет масштаб; X, Y и Z показывают её так, как листы, R возвращает начальный вид.</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="216"/>
        <source>The figure you build in 3D</source>
        <translation>Фигура, которую вы строите в 3D</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="217"/>
        <source>Click a point of the lattice to begin a segment, and a point on one of the axis lines through it to end it. The arrow keys and Page Up and Page Down move the cursor, Space presses at it. Drag to turn the view, the wheel zooms; X, Y and Z show it as the sheets do, R returns to the start view.</source>
        <translation>Щёлкните по точке решётки, чтобы начать отрезок, и по точке на одной из осевых линий через неё, чтобы закончить его. Стрелки, Page Up и Page Down двигают курсор, пробел нажимает в нём. Перетащите мышью, чтобы повернуть вид; колесо меняет масштаб; X, Y и Z показывают фигуру так, как листы, R возвращает начальный вид.</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="224"/>
        <source>Checked: the generated figure is shown under yours.</source>
        <translation>Проверено: фигура игры показана под вашей.</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="225"/>
        <source>Checked: your figure alone is shown.</source>
        <translation>Проверено: показана только ваша фигура.</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="226"/>
        <source>Checked: the generated figure alone is shown.</source>
        <translation>Проверено: показана только фигура игры.</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="228"/>
        <source>G shows both, yours alone or the generated one alone.</source>
        <translation>G показывает обе фигуры, только вашу или только фигуру игры.</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="232"/>
        <source>Segments built: %1.</source>
        <translation>Построено отрезков: %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/view3d/figureview.cpp" line="232"/>
        <source>Segments shown: %1.</source>
        <translation>Показано отрезков: %1.</translation>
    </message>
</context>
<context>
    <name>Guide</name>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="48"/>
        <source>Skip</source>
        <translation>Пропустить</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="131"/>
        <source>Turn the figure</source>
        <translation>Поверните фигуру</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="132"/>
        <source>This is the figure. Drag it with the mouse to turn it and look at it from every side; the wheel brings it nearer. R brings back the start view.</source>
        <translation>Это фигура. Перетаскивайте её мышью, чтобы повернуть и рассмотреть со всех сторон; колесо приближает её. R возвращает начальный вид.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="136"/>
        <source>Each sheet sees it from one side</source>
        <translation>Каждый лист видит её с одной стороны</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="137"/>
        <source>This sheet shows the figure seen from here: from the front, x to the right and y up. The 3D view has turned to show it the same way; X, Y and Z do this for each sheet. The name above each sheet says where it looks from.</source>
        <translation>Этот лист показывает фигуру, видимую отсюда: спереди, x вправо и y вверх. Объёмный вид повернулся, чтобы показать её так же; X, Y и Z делают это для каждого листа. Подпись над каждым листом говорит, откуда он смотрит.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="144"/>
        <source>Draw a stroke</source>
        <translation>Нарисуйте линию</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="145"/>
        <source>Draw on each sheet what you see from its side: click a dot, then another, and a line joins them. The same line drawn again is erased. (In the build exercise the sheets show the views, and you build the figure in the 3D view.)</source>
        <translation>Нарисуйте на каждом листе то, что видно с его стороны: щёлкните по точке, затем по другой, и их соединит линия. Та же линия, нарисованная ещё раз, стирается. (В упражнении «Построить фигуру» листы показывают виды, а фигуру вы строите в объёмном виде.)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="150"/>
        <source>Press Check</source>
        <translation>Нажмите «Проверка»</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="151"/>
        <source>When the three sheets are drawn, press Check. The sheets then show what is right, what is extra and what is missing, and the score.</source>
        <translation>Когда все три листа нарисованы, нажмите «Проверка». Листы покажут, что верно, что лишнее и что пропущено, а панель — счёт.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="156"/>
        <source>Step %1 of %2: %3</source>
        <translation>Шаг %1 из %2: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="157"/>
        <source>Done</source>
        <translation>Готово</translation>
    </message>
    <message>
        <location filename="../src/ui/window/guide.cpp" line="157"/>
        <source>Next</source>
        <translation>Далее</translation>
    </message>
</context>
<context>
    <name>HighScoresDialog</name>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="38"/>
        <source>High scores</source>
        <translation>Рекорды</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="43"/>
        <source>#</source>
        <translation>№</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="43"/>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="43"/>
        <source>Score</source>
        <translation>Счёт</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="43"/>
        <source>Seconds</source>
        <translation>Время, с</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="45"/>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="45"/>
        <source>Best score</source>
        <translation>Лучший счёт</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="45"/>
        <source>Date (UTC)</source>
        <translation>Дата (UTC)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="45"/>
        <source>Puzzle code</source>
        <translation>Код задачи</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="45"/>
        <source>Exercise</source>
        <translation>Упражнение</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="53"/>
        <source>Best turn of each level</source>
        <translation>Лучший ход на каждом уровне</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="74"/>
        <source>Line %1 could not be read</source>
        <translation>Строка %1 не читается</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="87"/>
        <source>record to beat</source>
        <translation>текущий рекорд</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="99"/>
        <source>No results yet: any score is a record.</source>
        <translation>Результатов пока нет: любой счёт станет рекордом.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="100"/>
        <source>Record to beat: %1 by %2</source>
        <translation>Рекорд, который нужно побить: %1 (игрок: %2)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="115"/>
        <source>The turn history is unavailable, so the best turns are not shown.</source>
        <translation>История ходов недоступна, поэтому лучшие ходы не показаны.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="124"/>
        <source>Build the figure</source>
        <translation>Построить фигуру</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/highscoresdialog.cpp" line="124"/>
        <source>Draw the views</source>
        <translation>Нарисовать виды</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/ui/window/mainwindowcommands.cpp" line="35"/>
        <source>Puzzle code %1 copied</source>
        <translation>Код задачи %1 скопирован</translation>
    </message>
    <message>
        <location filename="../src/ui/window/mainwindowcommands.cpp" line="104"/>
        <source>The last turn goes on where it stopped</source>
        <translation>Прошлый ход продолжается с того же места</translation>
    </message>
    <message>
        <location filename="../src/ui/window/mainwindowcommands.cpp" line="112"/>
        <source>Your last turn is kept: Game &gt; Continue Last Turn</source>
        <translation>Прошлый ход сохранён: Игра &gt; Продолжить прошлый ход</translation>
    </message>
    <message>
        <location filename="../src/ui/window/mainwindow.cpp" line="81"/>
        <source>Your figure fits all three views</source>
        <translation>Ваша фигура подходит ко всем трём видам</translation>
    </message>
    <message>
        <location filename="../src/ui/window/mainwindow.cpp" line="82"/>
        <source>Both figures fit all three views: G shows each</source>
        <translation>Обе фигуры подходят ко всем трём видам: G показывает каждую</translation>
    </message>
</context>
<context>
    <name>ManualWindow</name>
    <message>
        <location filename="../src/ui/dialogs/manualwindow.cpp" line="60"/>
        <source>Trivisto Manual</source>
        <translation>Руководство Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/manualwindow.cpp" line="79"/>
        <source>Trivisto</source>
        <translation>Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/manualwindow.cpp" line="80"/>
        <source>%1 is missing or cannot be read.</source>
        <translation>Файл %1 отсутствует или не читается.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message numerus="yes">
        <location filename="../src/ui/app/messages.cpp" line="21"/>
        <source>another running copy of Trivisto kept the history file busy for %n s</source>
        <translation>
            <numerusform>другая запущенная копия Trivisto держала файл истории занятым %n секунду</numerusform>
            <numerusform>другая запущенная копия Trivisto держала файл истории занятым %n секунды</numerusform>
            <numerusform>другая запущенная копия Trivisto держала файл истории занятым %n секунд</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="24"/>
        <source>the folder cannot be written: %1</source>
        <translation>в папку нельзя записывать: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="26"/>
        <source>the file can only be read</source>
        <translation>файл доступен только для чтения</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="28"/>
        <source>its tables are not those of a turn history</source>
        <translation>его таблицы не похожи на историю ходов</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="30"/>
        <source>format %1; this version reads up to %2</source>
        <translation>формат %1; эта версия читает форматы до %2</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="51"/>
        <source>The turn history is unavailable: %1 cannot be used (it was written by a newer version of Trivisto (%2) and could not be set aside: %3). The game goes on without recording turns.</source>
        <translation>История ходов недоступна: файл %1 нельзя использовать (он записан более новой версией Trivisto (%2), и его не удалось отложить: %3). Игра продолжается без записи ходов.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="56"/>
        <source>The turn history is unavailable: %1 cannot be used (it is damaged (%2) and could not be set aside: %3). The game goes on without recording turns.</source>
        <translation>История ходов недоступна: файл %1 нельзя использовать (он повреждён (%2), и его не удалось отложить: %3). Игра продолжается без записи ходов.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="62"/>
        <source>The turn history is unavailable: %1 cannot be used (%2). The game goes on without recording turns.</source>
        <translation>История ходов недоступна: файл %1 нельзя использовать (%2). Игра продолжается без записи ходов.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="65"/>
        <source>The turn history is unavailable: %1 cannot be used (%2). The old file was written by a newer version of Trivisto (%3) and was set aside as %4. The game goes on without recording turns.</source>
        <translation>История ходов недоступна: файл %1 нельзя использовать (%2). Старый файл был записан более новой версией Trivisto (%3) и отложен под именем %4. Игра продолжается без записи ходов.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="70"/>
        <source>The turn history is unavailable: %1 cannot be used (%2). The old file is damaged (%3) and was set aside as %4. The game goes on without recording turns.</source>
        <translation>История ходов недоступна: файл %1 нельзя использовать (%2). Старый файл повреждён (%3) и отложен под именем %4. Игра продолжается без записи ходов.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="86"/>
        <source>The history file %1 was written by a newer version of Trivisto (%2). It was set aside as %3 and a new, empty history was started.</source>
        <translation>Файл истории %1 записан более новой версией Trivisto (%2). Он отложен под именем %3, начата новая, пустая история.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="91"/>
        <source>The history file %1 is damaged (%2). It was set aside as %3 and a new, empty history was started.</source>
        <translation>Файл истории %1 повреждён (%2). Он отложен под именем %3, начата новая, пустая история.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="99"/>
        <source>The turn history is unavailable.</source>
        <translation>История ходов недоступна.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="101"/>
        <source>The turn was not recorded yet: %1. It is kept and recorded with the next turn.</source>
        <translation>Ход пока не записан: %1. Он сохранён и будет записан вместе со следующим ходом.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/app/messages.cpp" line="104"/>
        <source>The turn was not recorded yet: %1. The %n turns waiting are kept and recorded with the next turn.</source>
        <translation>
            <numerusform>Ход пока не записан: %1. Ожидающий %n ход сохранён и будет записан вместе со следующим.</numerusform>
            <numerusform>Ход пока не записан: %1. Ожидающие %n хода сохранены и будут записаны вместе со следующим.</numerusform>
            <numerusform>Ход пока не записан: %1. Ожидающие %n ходов сохранены и будут записаны вместе со следующим.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="109"/>
        <source>The turn was not recorded: the turn history is unavailable.</source>
        <translation>Ход не записан: история ходов недоступна.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/app/messages.cpp" line="111"/>
        <source>The %n turns were not recorded: the turn history is unavailable.</source>
        <translation>
            <numerusform>%n ход не записан: история ходов недоступна.</numerusform>
            <numerusform>%n хода не записаны: история ходов недоступна.</numerusform>
            <numerusform>%n ходов не записаны: история ходов недоступна.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="114"/>
        <source>The turn was not recorded: %1.</source>
        <translation>Ход не записан: %1.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/app/messages.cpp" line="115"/>
        <source>The %n turns were not recorded: %1.</source>
        <translation>
            <numerusform>%n ход не записан: %1.</numerusform>
            <numerusform>%n хода не записаны: %1.</numerusform>
            <numerusform>%n ходов не записаны: %1.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="118"/>
        <source>The assessment sitting was not recorded: %1.</source>
        <translation>Испытание не записано: %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="121"/>
        <source>The figure was not marked as seen: %1.</source>
        <translation>Фигура не отмечена как уже виденная: %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="123"/>
        <source>The history could not be read: %1 (%2).</source>
        <translation>Не удалось прочитать историю: %1 (%2).</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="126"/>
        <source>The history could not be exported to %1: %2.</source>
        <translation>Не удалось экспортировать историю в %1: %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/messages.cpp" line="129"/>
        <source>Exported 1 turn to %1.</source>
        <translation>В %1 экспортирован 1 ход.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/app/messages.cpp" line="130"/>
        <source>Exported %n turns to %1.</source>
        <translation>
            <numerusform>В %1 экспортирован %n ход.</numerusform>
            <numerusform>В %1 экспортировано %n хода.</numerusform>
            <numerusform>В %1 экспортировано %n ходов.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Mistake</name>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="8"/>
        <source>Mirrored left to right</source>
        <translation>Отражено слева направо</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="9"/>
        <source>Mirrored top to bottom</source>
        <translation>Отражено сверху вниз</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="10"/>
        <source>Turned a half turn</source>
        <translation>Повёрнуто на пол-оборота</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="11"/>
        <source>Turned a quarter turn clockwise</source>
        <translation>Повёрнуто на четверть оборота по часовой стрелке</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="12"/>
        <source>Turned a quarter turn anticlockwise</source>
        <translation>Повёрнуто на четверть оборота против часовой стрелки</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="13"/>
        <source>This is the view of sheet X</source>
        <translation>Это вид для листа X</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="14"/>
        <source>This is the view of sheet Y</source>
        <translation>Это вид для листа Y</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="15"/>
        <source>This is the view of sheet Z</source>
        <translation>Это вид для листа Z</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="16"/>
        <source>One step too far left</source>
        <translation>На шаг левее, чем нужно</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="17"/>
        <source>One step too far right</source>
        <translation>На шаг правее, чем нужно</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="18"/>
        <source>One step too high</source>
        <translation>На шаг выше, чем нужно</translation>
    </message>
    <message>
        <location filename="../src/ui/app/mistaketext.cpp" line="19"/>
        <source>One step too low</source>
        <translation>На шаг ниже, чем нужно</translation>
    </message>
</context>
<context>
    <name>NewAssignmentDialog</name>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="50"/>
        <source>New Assignment</source>
        <translation>Новое задание</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="56"/>
        <source>e.g. Week 3: front, top and side</source>
        <translation>например, Неделя 3: спереди, сверху и сбоку</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="62"/>
        <source>Figures</source>
        <translation>Фигуры</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="63"/>
        <source>Random figures:</source>
        <translation>Случайные фигуры:</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="79"/>
        <source>The assessment&apos;s %n figures</source>
        <translation>
            <numerusform>%n фигура испытания</numerusform>
            <numerusform>%n фигуры испытания</numerusform>
            <numerusform>%n фигур испытания</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="81"/>
        <source>The same figures as the game&apos;s assessment, in its order.</source>
        <translation>Те же фигуры, что и в испытании игры, в том же порядке.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="82"/>
        <source>These puzzle codes:</source>
        <translation>Эти коды задач:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="86"/>
        <source>Paste codes such as K3F9-2QXA-7, separated by spaces, commas or new lines.</source>
        <translation>Вставьте коды вида K3F9-2QXA-7, разделяя их пробелами, запятыми или переводами строки.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="96"/>
        <source>at levels</source>
        <translation>уровни от</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="98"/>
        <source>to</source>
        <translation>до</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="108"/>
        <source>Hints allowed</source>
        <translation>Подсказки разрешены</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="111"/>
        <source>Peeks allowed</source>
        <translation>Подглядывание разрешено</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="114"/>
        <source>Due</source>
        <translation>Срок сдачи</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="116"/>
        <source>Results checked after this day are marked late; they are still counted.</source>
        <translation>Результаты, проверенные после этого дня, отмечаются как сданные поздно, но всё равно учитываются.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="131"/>
        <source>Title:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="132"/>
        <source>Exercise:</source>
        <translation>Упражнение:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="137"/>
        <source>Save…</source>
        <translation>Сохранить…</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="190"/>
        <source>1 figure read.</source>
        <translation>Прочитана 1 фигура.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="190"/>
        <source>%n figures read.</source>
        <translation>
            <numerusform>Прочитана %n фигура.</numerusform>
            <numerusform>Прочитаны %n фигуры.</numerusform>
            <numerusform>Прочитано %n фигур.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="207"/>
        <source>The same figure is listed before it.</source>
        <translation>Эта же фигура уже есть выше в списке.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="209"/>
        <source>Piece %1, “%2”: %3</source>
        <translation>Фрагмент %1, «%2»: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="213"/>
        <source>… and 1 more.</source>
        <translation>… и ещё 1.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="213"/>
        <source>… and %n more.</source>
        <translation>
            <numerusform>… и ещё %n.</numerusform>
            <numerusform>… и ещё %n.</numerusform>
            <numerusform>… и ещё %n.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="222"/>
        <source>Please give the assignment a title. Students see it, and their result files are named after it.</source>
        <translation>Пожалуйста, дайте заданию название. Его видят ученики, и по нему называются файлы их результатов.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="230"/>
        <source>Random figures cannot be drawn with these numbers: choose 1 to %1 figures of levels 0 to %2, the lower level first.</source>
        <translation>С такими числами случайные фигуры не выбрать: задайте от 1 до %1 фигур уровней от 0 до %2, меньший уровень первым.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="242"/>
        <source>Some of the pasted text is not a puzzle code the assignment can use:</source>
        <translation>Часть вставленного текста — не коды задач, которые можно использовать в задании:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="244"/>
        <source>Correct or remove these pieces, then save again.</source>
        <translation>Исправьте или удалите эти фрагменты и сохраните ещё раз.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="250"/>
        <source>The assignment has no figures: paste at least one puzzle code, or choose random figures or the assessment&apos;s.</source>
        <translation>В задании нет фигур: вставьте хотя бы один код задачи или выберите случайные фигуры либо фигуры испытания.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="256"/>
        <source>An assignment holds at most %1 figures, and these are %n.</source>
        <translation>
            <numerusform>В задании может быть не больше %1 фигур, а здесь их %n.</numerusform>
            <numerusform>В задании может быть не больше %1 фигур, а здесь их %n.</numerusform>
            <numerusform>В задании может быть не больше %1 фигур, а здесь их %n.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="270"/>
        <source>The assignment cannot be made: %1</source>
        <translation>Не удаётся создать задание: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="284"/>
        <source>The assignment could not be saved as %1: %2.
The form is kept as it was: save again into another folder or under another name.</source>
        <translation>Не удалось сохранить задание как %1: %2.
Форма осталась как была: сохраните ещё раз в другую папку или под другим именем.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="289"/>
        <source>The assignment “%1” was saved as %2.</source>
        <translation>Задание «%1» сохранено как %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="301"/>
        <source>Save the assignment</source>
        <translation>Сохранить задание</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="302"/>
        <source>Trivisto assignments (*%1)</source>
        <translation>Задания Trivisto (*%1)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/newassignmentdialog.cpp" line="310"/>
        <source>%1 already exists. Replace it?</source>
        <translation>Файл %1 уже существует. Заменить его?</translation>
    </message>
</context>
<context>
    <name>PuzzleCode</name>
    <message>
        <location filename="../src/ui/app/codetext.cpp" line="11"/>
        <source>The puzzle code is empty.</source>
        <translation>Код задачи пуст.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/codetext.cpp" line="16"/>
        <source>“%1” is not used in puzzle codes. Codes have the digits 0–9 and the letters A–Z except U (O is read as 0, I and L as 1); hyphens and spaces are ignored.</source>
        <translation>«%1» не встречается в кодах задач. В кодах есть цифры 0–9 и латинские буквы A–Z, кроме U (O читается как 0, I и L — как 1); дефисы и пробелы не учитываются.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/codetext.cpp" line="20"/>
        <source>The puzzle code has a character that codes do not use. Codes have the digits 0–9 and the letters A–Z except U (O is read as 0, I and L as 1); hyphens and spaces are ignored.</source>
        <translation>В коде задачи есть знак, которого в кодах не бывает. В кодах есть цифры 0–9 и латинские буквы A–Z, кроме U (O читается как 0, I и L — как 1); дефисы и пробелы не учитываются.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/app/codetext.cpp" line="25"/>
        <source>The puzzle code is too short: it has %n of its 9 symbols.</source>
        <translation>
            <numerusform>Код задачи слишком короткий: в нём %n из 9 символов.</numerusform>
            <numerusform>Код задачи слишком короткий: в нём %n из 9 символов.</numerusform>
            <numerusform>Код задачи слишком короткий: в нём %n из 9 символов.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/app/codetext.cpp" line="28"/>
        <source>The puzzle code is too long: it has %n symbols, a code has 9.</source>
        <translation>
            <numerusform>Код задачи слишком длинный: в нём %n символ, а в коде их 9.</numerusform>
            <numerusform>Код задачи слишком длинный: в нём %n символа, а в коде их 9.</numerusform>
            <numerusform>Код задачи слишком длинный: в нём %n символов, а в коде их 9.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/app/codetext.cpp" line="31"/>
        <source>The puzzle code has a typing error: please check every character.</source>
        <translation>В коде задачи опечатка: проверьте, пожалуйста, каждый знак.</translation>
    </message>
    <message>
        <location filename="../src/ui/app/codetext.cpp" line="34"/>
        <source>The puzzle code is for a level this version of Trivisto does not have.</source>
        <translation>Код задачи относится к уровню, которого нет в этой версии Trivisto.</translation>
    </message>
</context>
<context>
    <name>PuzzleCodeDialog</name>
    <message>
        <location filename="../src/ui/dialogs/puzzlecodedialog.cpp" line="14"/>
        <source>Open Puzzle Code</source>
        <translation>Ввод кода задачи</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/puzzlecodedialog.cpp" line="15"/>
        <source>Puzzle code (as XXXX-XXXX-X):</source>
        <translation>Код задачи (в виде XXXX-XXXX-X):</translation>
    </message>
</context>
<context>
    <name>RecordNameDialog</name>
    <message>
        <location filename="../src/ui/dialogs/recordnamedialog.cpp" line="19"/>
        <source>This is a new record</source>
        <translation>Это новый рекорд</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/recordnamedialog.cpp" line="27"/>
        <source>Please make your inspirition into the score list</source>
        <translation>Пожалуйста, впишите своё имя в таблицу рекордов</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/recordnamedialog.cpp" line="41"/>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/recordnamedialog.cpp" line="67"/>
        <source>Input form</source>
        <translation>Ввод имени</translation>
    </message>
</context>
<context>
    <name>ResultsFile</name>
    <message>
        <location filename="../src/ui/app/resultsmessages.cpp" line="12"/>
        <source>Can not open Stat.txt</source>
        <translation>Не удаётся открыть Stat.txt</translation>
    </message>
    <message>
        <location filename="../src/ui/app/resultsmessages.cpp" line="14"/>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» — недопустимое целое значение</translation>
    </message>
    <message>
        <location filename="../src/ui/app/resultsmessages.cpp" line="17"/>
        <source>in %1, line %2</source>
        <translation>в файле %1, строка %2</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="18"/>
        <source>Trivisto Settings</source>
        <translation>Настройки Trivisto</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="26"/>
        <source>Play sounds</source>
        <translation>Воспроизводить звуки</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="28"/>
        <source>Full screen</source>
        <translation>Полноэкранный режим</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="30"/>
        <source>Continue the last turn at start</source>
        <translation>Продолжать прошлый ход при запуске</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="32"/>
        <source>A turn left unfinished goes on where it stopped when the game starts again.</source>
        <translation>Незаконченный ход продолжается с того же места при следующем запуске игры.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="33"/>
        <source>Colour-blind-safe colours after Check</source>
        <translation>Цвета для дальтоников после проверки</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="37"/>
        <source>Light</source>
        <translation>Светлое</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="38"/>
        <source>Dark</source>
        <translation>Тёмное</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="39"/>
        <source>Follow the desktop</source>
        <translation>Как на рабочем столе</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="40"/>
        <source>Name the sheets</source>
        <translation>Подписывать листы</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="42"/>
        <source>Each sheet shows above its dots where it sees the figure from.</source>
        <translation>Над точками каждого листа написано, откуда он видит фигуру.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="43"/>
        <source>Choose figures for me</source>
        <translation>Подбирать фигуры для меня</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="45"/>
        <source>New picks a figure at or around your level that your rating expects you to get about as right as the target.</source>
        <translation>«Ход» подбирает фигуру вашего или соседнего уровня, которую ваш рейтинг ожидает решить примерно с целевой точностью.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="53"/>
        <source>The share of a figure&apos;s points you aim to get right: figures chosen for you and the suggested level aim at it.</source>
        <translation>Доля точек фигуры, которую вы хотите рисовать верно: на неё нацелены подобранные фигуры и совет сменить уровень.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="57"/>
        <source>The system&apos;s language</source>
        <translation>Язык системы</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="60"/>
        <source>A new language shows from the next start.</source>
        <translation>Новый язык появится после перезапуска игры.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="64"/>
        <source>Level for new figures:</source>
        <translation>Уровень новых фигур:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="65"/>
        <source>Line width of the 3D view:</source>
        <translation>Толщина линий объёмного вида:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="70"/>
        <source>Look:</source>
        <translation>Оформление:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="73"/>
        <source>Target accuracy:</source>
        <translation>Целевая точность:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/settingsdialog.cpp" line="74"/>
        <source>Language:</source>
        <translation>Язык:</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <location filename="../src/ui/app/settings.cpp" line="77"/>
        <source>Your settings could not be saved in %1. The game goes on with them until it ends.</source>
        <translation>Не удалось сохранить настройки в %1. До выхода из игры они продолжат действовать.</translation>
    </message>
</context>
<context>
    <name>SheetAccessible</name>
    <message>
        <location filename="../src/ui/sheets/sheetaccessible.cpp" line="93"/>
        <source>dot at column %1 row %2</source>
        <translation>точка в столбце %1, строке %2</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetaccessible.cpp" line="94"/>
        <source>from column %1 row %2 to column %3 row %4</source>
        <translation>от столбца %1, строки %2 до столбца %3, строки %4</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetaccessible.cpp" line="111"/>
        <source>%1, partly right, partly extra</source>
        <translation>%1, частью верная, частью лишняя</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetaccessible.cpp" line="113"/>
        <source>%1, right</source>
        <translation>%1, верная</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetaccessible.cpp" line="115"/>
        <source>%1, extra</source>
        <translation>%1, лишняя</translation>
    </message>
</context>
<context>
    <name>SheetWidget</name>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="43"/>
        <source>Sheet X, from the front: x to the right, y up</source>
        <translation>Лист X, спереди: x вправо, y вверх</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="44"/>
        <source>Sheet Y, from below: x to the right, z up</source>
        <translation>Лист Y, снизу: x вправо, z вверх</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="45"/>
        <source>Sheet Z, from the right, on its side: y to the right, z up</source>
        <translation>Лист Z, справа, на боку: y вправо, z вверх</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="53"/>
        <source>from the front</source>
        <translation>спереди</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="54"/>
        <source>from below</source>
        <translation>снизу</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="55"/>
        <source>from the right, on its side</source>
        <translation>справа, на боку</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="113"/>
        <source>Draw a line by clicking, or pressing Space, at its start and again at its end. The arrow keys move the keyboard cursor.</source>
        <translation>Чтобы провести линию, щёлкните мышью или нажмите пробел в её начале и ещё раз в конце. Клавиши со стрелками двигают клавиатурный курсор.</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="115"/>
        <source>This view of the figure is given: build the figure in the 3D view so that it looks like this from here.</source>
        <translation>Это заданный вид фигуры: постройте фигуру в объёмном виде так, чтобы отсюда она выглядела так же.</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="120"/>
        <source>Checked: right %1, extra %2, missing %3 sample points.</source>
        <translation>Проверено. Контрольных точек: верных — %1, лишних — %2, пропущенных — %3.</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="129"/>
        <source>blue</source>
        <translation>синяя</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="129"/>
        <source>green</source>
        <translation>зелёная</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="130"/>
        <source>orange</source>
        <translation>оранжевая</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="130"/>
        <source>red</source>
        <translation>красная</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="131"/>
        <source>Right: thick %1 line with a dark edge, drawn on the true projection.
Extra: dashed %1 line with crosses, drawn off it.
Missing: %2 line with light rings, true but not drawn.
The numbers below count sample points.</source>
        <translation>Верно: толстая %1 линия с тёмной каймой — нарисована по настоящей проекции.
Лишнее: %1 пунктирная линия с крестиками — нарисована мимо неё.
Пропущено: %2 линия со светлыми кольцами — есть в проекции, но не нарисована.
Числа внизу — количество контрольных точек.</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="276"/>
        <location filename="../src/ui/print/paperdrawing.cpp" line="181"/>
        <source>Sheet %1: %2</source>
        <translation>Лист %1: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="325"/>
        <source>Right %1</source>
        <translation>Верно %1</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="325"/>
        <source>Extra %1</source>
        <translation>Лишнее %1</translation>
    </message>
    <message>
        <location filename="../src/ui/sheets/sheetwidget.cpp" line="326"/>
        <source>Missing %1</source>
        <translation>Пропущено %1</translation>
    </message>
</context>
<context>
    <name>StatisticsDialog</name>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="37"/>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="51"/>
        <source>Last 7 days</source>
        <translation>Последние 7 дней</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="52"/>
        <source>Last 30 days</source>
        <translation>Последние 30 дней</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="53"/>
        <source>Last 365 days</source>
        <translation>Последние 365 дней</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="54"/>
        <source>All time</source>
        <translation>За всё время</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="56"/>
        <source>Export CSV...</source>
        <translation>Экспорт в CSV...</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="74"/>
        <source>Level:</source>
        <translation>Уровень:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="76"/>
        <source>Period:</source>
        <translation>Период:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="146"/>
        <source>All levels</source>
        <translation>Все уровни</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="153"/>
        <source>Level %1</source>
        <translation>Уровень %1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="203"/>
        <source>The turn history is unavailable, so there is nothing to show.</source>
        <translation>История ходов недоступна, поэтому показать нечего.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="208"/>
        <source>1 turn</source>
        <translation>Ходов: 1</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="209"/>
        <source>Daily streak: 1 day</source>
        <translation>Дней подряд: 1</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="208"/>
        <source>%n turns</source>
        <translation>
            <numerusform>%n ход</numerusform>
            <numerusform>%n хода</numerusform>
            <numerusform>%n ходов</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="44"/>
        <source>Both exercises</source>
        <translation>Оба упражнения</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="45"/>
        <source>Draw the views</source>
        <translation>Нарисовать виды</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="46"/>
        <source>Build the figure</source>
        <translation>Построить фигуру</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="72"/>
        <source>Exercise:</source>
        <translation>Упражнение:</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="94"/>
        <source>Progress</source>
        <translation>Успехи</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="118"/>
        <source>Coach</source>
        <translation>Тренер</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="209"/>
        <source>Daily streak: %n days</source>
        <translation>
            <numerusform>Дней подряд: %n</numerusform>
            <numerusform>Дней подряд: %n</numerusform>
            <numerusform>Дней подряд: %n</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="213"/>
        <source>%1 on sheet %2 (%3)</source>
        <translation>%1 на листе %2 (%3)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="216"/>
        <source>No mistake named in the last 30 days.</source>
        <translation>За последние 30 дней ошибок не названо.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="217"/>
        <source>Mistakes named most in the last 30 days: %1.</source>
        <translation>Чаще всего за последние 30 дней: %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="220"/>
        <source>Final score per day</source>
        <translation>Итоговый счёт по дням</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="222"/>
        <source>Average of the day</source>
        <translation>Среднее за день</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="225"/>
        <source>Average of %1 days</source>
        <translation>Среднее за %1 дн.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="236"/>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="344"/>
        <source>Score</source>
        <translation>Счёт</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="242"/>
        <source>Accuracy (%)</source>
        <translation>Точность (%)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="254"/>
        <source>Accuracy per sheet</source>
        <translation>Точность по листам</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="255"/>
        <source>Right of all points counted, %</source>
        <translation>Доля верных точек, %</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="256"/>
        <source>X (x,y)</source>
        <translation>X (x,y)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="256"/>
        <source>Y (x,z)</source>
        <translation>Y (x,z)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="256"/>
        <source>Z (y,z)</source>
        <translation>Z (y,z)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="267"/>
        <source>Accuracy per sheet (hardest: %1)</source>
        <translation>Точность (труднее всего: %1)</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="251"/>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="273"/>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="278"/>
        <source>Average seconds per level</source>
        <translation>Среднее время по уровням, с</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="279"/>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="297"/>
        <source>Seconds</source>
        <translation>Секунды</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="302"/>
        <source>Turns per day</source>
        <translation>Ходов за день</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="304"/>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="316"/>
        <source>Turns</source>
        <translation>Ходы</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="328"/>
        <source>Assessment sittings: no sitting yet</source>
        <translation>Испытания: пока ни одного</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="329"/>
        <source>Assessment sittings: total final score</source>
        <translation>Испытания: итоговый счёт</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="360"/>
        <source>The turn history is unavailable, so there is nothing to export.</source>
        <translation>История ходов недоступна, поэтому экспортировать нечего.</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="372"/>
        <source>Export the turn history</source>
        <translation>Экспорт истории ходов</translation>
    </message>
    <message>
        <location filename="../src/ui/dialogs/statisticsdialog.cpp" line="374"/>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Файлы CSV (*.csv);;Все файлы (*)</translation>
    </message>
</context>
<context>
    <name>TeacherFlow</name>
    <message>
        <location filename="../src/ui/window/teacherflow.cpp" line="41"/>
        <source>Trivisto assignments (*%1)</source>
        <translation>Задания Trivisto (*%1)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/teacherflow.cpp" line="58"/>
        <source>Assignment saved as %1</source>
        <translation>Задание сохранено как %1</translation>
    </message>
    <message>
        <location filename="../src/ui/window/teacherflow.cpp" line="65"/>
        <source>Class Results</source>
        <translation>Результаты класса</translation>
    </message>
    <message>
        <location filename="../src/ui/window/teacherflow.cpp" line="79"/>
        <source>Print Assignment</source>
        <translation>Печать задания</translation>
    </message>
    <message>
        <location filename="../src/ui/window/teacherflow.cpp" line="88"/>
        <source>The worksheet could not be printed on %1.</source>
        <translation>Не удалось напечатать рабочий лист на принтере %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/teacherflow.cpp" line="93"/>
        <location filename="../src/ui/window/teacherflow.cpp" line="97"/>
        <source>Export Worksheet</source>
        <translation>Экспорт рабочего листа</translation>
    </message>
    <message>
        <location filename="../src/ui/window/teacherflow.cpp" line="100"/>
        <source>PDF documents (*.pdf)</source>
        <translation>Документы PDF (*.pdf)</translation>
    </message>
    <message>
        <location filename="../src/ui/window/teacherflow.cpp" line="107"/>
        <source>Worksheet saved as %1</source>
        <translation>Рабочий лист сохранён как %1</translation>
    </message>
</context>
<context>
    <name>TurnController</name>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="256"/>
        <source>A segment runs along x, y or z: end it on a line through its beginning</source>
        <translation>Отрезок идёт вдоль x, y или z: закончите его на линии через его начало</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="258"/>
        <location filename="../src/ui/window/turncontroller.cpp" line="383"/>
        <source>The figure holds at most %1 segments</source>
        <translation>В фигуре может быть не больше %1 отрезков</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="260"/>
        <source>Erase a segment</source>
        <translation>стирание отрезка</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="46"/>
        <location filename="../src/ui/window/turncontroller.cpp" line="260"/>
        <source>Build a segment</source>
        <translation>постройку отрезка</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="300"/>
        <source>No record: this figure was seen before</source>
        <translation>Не рекорд: эта фигура уже встречалась</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="50"/>
        <source>Draw a stroke</source>
        <translation>рисование линии</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="45"/>
        <source>Clear a sheet</source>
        <translation>очистку листа</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="378"/>
        <source>No hint left: every step of the figure is built</source>
        <translation>Подсказок больше нет: все шаги фигуры построены</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="379"/>
        <source>No hint left: every line is drawn or shown</source>
        <translation>Подсказок больше нет: все линии нарисованы или показаны</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="381"/>
        <source>This assignment allows no hints</source>
        <translation>В этом задании подсказки запрещены</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="47"/>
        <source>Hint</source>
        <translation>подсказку</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turncontroller.cpp" line="402"/>
        <source>This assignment allows no peeks</source>
        <translation>В этом задании подглядывание запрещено</translation>
    </message>
</context>
<context>
    <name>TurnKeeper</name>
    <message>
        <location filename="../src/ui/window/turnkeeper.cpp" line="40"/>
        <source>The unfinished turn of an earlier game could not be read, so it cannot be continued.</source>
        <translation>Незаконченный ход прошлой игры не удалось прочитать, поэтому его нельзя продолжить.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turnkeeper.cpp" line="41"/>
        <source>The unfinished turn of an earlier game could not be read, so it cannot be continued. The file was set aside as %1.</source>
        <translation>Незаконченный ход прошлой игры не удалось прочитать, поэтому его нельзя продолжить. Файл отложен как %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/window/turnkeeper.cpp" line="89"/>
        <source>The turn could not be saved for later in %1: %2. The game goes on.</source>
        <translation>Ход не удалось сохранить на потом в %1: %2. Игра продолжается.</translation>
    </message>
</context>
<context>
    <name>WindowState</name>
    <message>
        <location filename="../src/ui/window/windowstate.cpp" line="65"/>
        <source>Trivisto</source>
        <translation>Trivisto</translation>
    </message>
</context>
<context>
    <name>Worksheet</name>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="64"/>
        <source>Answers</source>
        <translation>Ответы</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="66"/>
        <source>Figure %1 of %2</source>
        <translation>Фигура %1 из %2</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="68"/>
        <source>Figures %1–%2 of %3</source>
        <translation>Фигуры %1–%2 из %3</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="123"/>
        <source>Page %1 of %2</source>
        <translation>Страница %1 из %2</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="155"/>
        <location filename="../src/ui/print/worksheet.cpp" line="181"/>
        <source>Figure %1</source>
        <translation>Фигура %1</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="162"/>
        <location filename="../src/ui/print/worksheet.cpp" line="184"/>
        <source>Code %1 · level %2</source>
        <translation>Код %1 · уровень %2</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="188"/>
        <source>Draw the black walk on the three sheets below as each sheet sees it, from where its name says. The grey frame only shows where the cube is: it is not drawn.</source>
        <translation>Нарисуйте чёрную ломаную на трёх листах ниже так, как её видит каждый лист — с той стороны, что указана в его названии. Серая рамка лишь показывает, где находится куб: её рисовать не нужно.</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="203"/>
        <source>Build the figure that has these three views, and sketch it on the dot grid.</source>
        <translation>Постройте фигуру с этими тремя видами и нарисуйте её на точечной сетке.</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="297"/>
        <source>The assignment has no figures to print.</source>
        <translation>В задании нет фигур для печати.</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="304"/>
        <location filename="../src/ui/print/worksheet.cpp" line="324"/>
        <source>The worksheet cannot be saved as %1: %2</source>
        <translation>Не удаётся сохранить рабочий лист как %1: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/print/worksheet.cpp" line="321"/>
        <source>The worksheet could not be drawn.</source>
        <translation>Не удалось нарисовать рабочий лист.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/main.cpp" line="90"/>
        <source>The folder %1 could not be made, so records and the history cannot be kept this time. The game goes on.</source>
        <translation>Не удалось создать папку %1, поэтому рекорды и история ходов на этот раз не сохранятся. Игру можно продолжать.</translation>
    </message>
    <message>
        <location filename="../src/main.cpp" line="103"/>
        <source>Another copy of Trivisto is running</source>
        <translation>Уже запущена другая копия Trivisto</translation>
    </message>
    <message>
        <location filename="../src/main.cpp" line="104"/>
        <source>Trivisto could not lock its data folder: %1</source>
        <translation>Trivisto не удалось заблокировать папку данных: %1</translation>
    </message>
</context>
</TS>
