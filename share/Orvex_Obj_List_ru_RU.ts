<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>Orvex_Obj_List</name>
    <message>
        <source>Orvex_Obj_List</source>
        <translation>Orvex_Obj_List</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Очистить список</translation>
    </message>
    <message>
        <source>Clear objects list</source>
        <translation>Очистить список объектов</translation>
    </message>
    <message>
        <source>Read and Add list</source>
        <translation>Прочитать и добавить список</translation>
    </message>
    <message>
        <source>Select .lst file, Read it and Add objects to list</source>
        <translation>Выбрать файл .lst, прочитать его и добавить объекты в список</translation>
    </message>
    <message>
        <source>Show/Hide Orvex_List</source>
        <translation>Показать/скрыть Orvex_List</translation>
    </message>
    <message>
        <source>Set Orvex_List visible or hidden</source>
        <translation>Показать или скрыть окно списка Orvex_List</translation>
    </message>
    <message>
        <source>Show/Hide Orvex_Sky</source>
        <translation>Показать/скрыть Orvex_Sky</translation>
    </message>
    <message>
        <source>Set Orvex_Sky visible or hidden</source>
        <translation>Показать или скрыть окно неба Orvex_Sky</translation>
    </message>
    <message>
        <source>Save list</source>
        <translation>Сохранить список</translation>
    </message>
    <message>
        <source>Save objects list to .lst file</source>
        <translation>Сохранить список объектов в файл .lst</translation>
    </message>
    <message>
        <source>Insert Object</source>
        <translation>Вставить объект</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Insert new object before current row&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Вставить новый объект перед текущей строкой&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Add Object</source>
        <translation>Добавить объект</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Append new object to the list end&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Добавить новый объект в конец списка&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Remove line</source>
        <translation>Удалить строку</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Remove current object or commen from list&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Удалить текущий объект или комментарий из списка&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Insert Comment</source>
        <translation>Вставить комментарий</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Use obj.name as comment string&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Использовать имя объекта как текст комментария&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>in Russian</source>
        <translation>по-русски</translation>
    </message>
    <message>
        <source>Switch to current system Language</source>
        <translation>Переключить на язык системы</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>О Qt</translation>
    </message>
    <message>
        <source>View as KSV (or AllSky)</source>
        <translation>Вид как KSV (или всё небо)</translation>
    </message>
    <message>
        <source>A/Z Grid (or HA/Decl)</source>
        <translation>Сетка A/Z (или t/δ)</translation>
    </message>
    <message>
        <source>Names in the sky</source>
        <translation>Имена на небе</translation>
    </message>
    <message>
        <source>Write each object&apos;s name beside its circle</source>
        <translation>Подписывать каждый объект его именем рядом с кружком</translation>
    </message>
    <message>
        <source>Night vision</source>
        <translation>Ночное зрение</translation>
    </message>
    <message>
        <source>Dark red colours that keep the eyes used to the dark</source>
        <translation>Тёмно-красные цвета, чтобы глаза не отвыкали от темноты</translation>
    </message>
    <message>
        <source>Orvex Object:</source>
        <translation>Объект Orvex:</translation>
    </message>
    <message>
        <source>Obj.Name</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Object name or comment text&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Имя объекта или текст комментария&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>R.A.</source>
        <translation>П.в.</translation>
    </message>
    <message>
        <source>Decl.</source>
        <translation>Скл.</translation>
    </message>
    <message>
        <source>Epoch</source>
        <translation>Эпоха</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Clear coordinates form&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Очистить форму координат&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Get from Orvex</source>
        <translation>Взять с Orvex</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Obtain object coordinates from Orvex&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Получить координаты объекта с Orvex&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Send Object to Orvex</source>
        <translation>Объект в Orvex</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Sending object coordinates to Orvex&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Отправить координаты объекта в Orvex&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Send and Slew Orvex</source>
        <translation>Послать и навести</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Starting Orvex slewing to this object&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Начать наведение Orvex на этот объект&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Stopping Orvex</source>
        <translation>Стоп Orvex</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Stopping Orvex before next slewing (Ctrl+.)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Остановить Orvex перед следующим наведением (Ctrl+.)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Get</source>
        <translation>Чит.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Obtain current offsets from Orvex&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Получить текущие смещения с Orvex&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Уст.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Shift Orvex by this offsets&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Сместить Orvex на эти смещения&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Offsets:</source>
        <translation>Смещ.:</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;= Corr.HA[&amp;quot;]&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;= Попр.t[&amp;quot;]&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;= Corr.Decl[&amp;quot;]&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;= Попр.δ[&amp;quot;]&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Orvex User: </source>
        <translation>Логин: </translation>
    </message>
    <message>
        <source>Orvex1000 users menu</source>
        <translation>Список пользователей Orvex1000</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Store and use the username and password&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Запомнить и использовать имя и пароль&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Пароль:</translation>
    </message>
    <message>
        <source>Uses password (for level &gt;=2)</source>
        <translation>Пароль (нужен для уровня &gt;=2)</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;View password&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Показать пароль&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Orvex state:</source>
        <translation>Состояние Orvex:</translation>
    </message>
    <message>
        <source>Orvex Web-host:</source>
        <translation>Веб-сервер Orvex:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Окна</translation>
    </message>
    <message>
        <source>ObjList</source>
        <translation>Список</translation>
    </message>
    <message>
        <source>User=%1 Level=%2 </source>
        <translation>Польз.=%1 Ур.=%2 </translation>
    </message>
    <message>
        <source>User=? Level = ? </source>
        <translation>Польз.=? Ур. = ? </translation>
    </message>
    <message>
        <source>HTTP error</source>
        <translation>Ошибка HTTP</translation>
    </message>
    <message>
        <source>No users list in %1 s; retry in %2 s</source>
        <translation>Нет списка за %1 с; снова через %2 с</translation>
    </message>
    <message>
        <source>Empty Orvex password!</source>
        <translation>Пустой пароль Orvex!</translation>
    </message>
    <message>
        <source>Wrong or Empty R.A.!</source>
        <translation>Неверное или пустое П.в.!</translation>
    </message>
    <message>
        <source>Wrong or Empty Decl.</source>
        <translation>Неверное или пустое склонение.</translation>
    </message>
    <message>
        <source>Wrong or Empty Offsets</source>
        <translation>Неверные или пустые смещения</translation>
    </message>
    <message>
        <source>%1 is below the horizon: altitude %2°, horizon %3° at azimuth %4° %5. Slew anyway?</source>
        <translation>%1 под горизонтом: высота %2°, горизонт %3° на азимуте %4° %5. Всё равно навести?</translation>
    </message>
    <message>
        <source>The sidereal time is not known, so whether %1 is above the horizon cannot be checked. Slew anyway?</source>
        <translation>Звёздное время неизвестно, поэтому нельзя проверить, над горизонтом ли %1. Всё равно навести?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Slew to %1 not sent: it is below the horizon</source>
        <translation>Наведение на %1 не отправлено: объект под горизонтом</translation>
    </message>
    <message>
        <source>Slew to %1 not sent: its position cannot be checked</source>
        <translation>Наведение на %1 не отправлено: положение объекта не проверить</translation>
    </message>
    <message>
        <source>Slew to %1 not sent: slewing is no longer allowed</source>
        <translation>Наведение на %1 не отправлено: наведение больше не разрешено</translation>
    </message>
    <message>
        <source>N</source>
        <translation>С</translation>
    </message>
    <message>
        <source>NNE</source>
        <translation>ССВ</translation>
    </message>
    <message>
        <source>NE</source>
        <translation>СВ</translation>
    </message>
    <message>
        <source>ENE</source>
        <translation>ВСВ</translation>
    </message>
    <message>
        <source>E</source>
        <translation>В</translation>
    </message>
    <message>
        <source>ESE</source>
        <translation>ВЮВ</translation>
    </message>
    <message>
        <source>SE</source>
        <translation>ЮВ</translation>
    </message>
    <message>
        <source>SSE</source>
        <translation>ЮЮВ</translation>
    </message>
    <message>
        <source>S</source>
        <translation>Ю</translation>
    </message>
    <message>
        <source>SSW</source>
        <translation>ЮЮЗ</translation>
    </message>
    <message>
        <source>SW</source>
        <translation>ЮЗ</translation>
    </message>
    <message>
        <source>WSW</source>
        <translation>ЗЮЗ</translation>
    </message>
    <message>
        <source>W</source>
        <translation>З</translation>
    </message>
    <message>
        <source>WNW</source>
        <translation>ЗСЗ</translation>
    </message>
    <message>
        <source>NW</source>
        <translation>СЗ</translation>
    </message>
    <message>
        <source>NNW</source>
        <translation>ССЗ</translation>
    </message>
    <message>
        <source>last state %1 ago</source>
        <translation>состояние %1 назад</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 мин</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 ч</translation>
    </message>
    <message>
        <source>The objects list has changed since it was last read or saved. Save it before quitting?</source>
        <translation>Список объектов изменён после последнего чтения или сохранения. Сохранить его перед выходом?</translation>
    </message>
    <message>
        <source>The objects list has changed since it was last read or saved. Save it before it is cleared?</source>
        <translation>Список объектов изменён после последнего чтения или сохранения. Сохранить его перед очисткой?</translation>
    </message>
    <message>
        <source>Save asks for a file name.</source>
        <translation>«Сохранить» спросит имя файла.</translation>
    </message>
    <message>
        <source>Save writes it to %1.</source>
        <translation>«Сохранить» запишет его в %1.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Не сохранять</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>The program stays open: the list is still unsaved.</source>
        <translation>Программа не закрыта: список по-прежнему не сохранён.</translation>
    </message>
    <message>
        <source>The list is not cleared.</source>
        <translation>Список не очищен.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>Orvex_list</name>
    <message>
        <source>&lt; 1 min</source>
        <translation>&lt; 1 мин</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 мин</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 ч %2 мин</translation>
    </message>
    <message>
        <source>The sidereal time is not known yet: no position</source>
        <translation>Звёздное время ещё не известно: положения нет</translation>
    </message>
    <message>
        <source>alt %1°, az %2° %3</source>
        <translation>высота %1°, азимут %2° %3</translation>
    </message>
    <message>
        <source>above the horizon</source>
        <translation>над горизонтом</translation>
    </message>
    <message>
        <source>below the horizon</source>
        <translation>под горизонтом</translation>
    </message>
    <message>
        <source>sets below it in %1</source>
        <translation>зайдёт за него через %1</translation>
    </message>
    <message>
        <source>rises above it in %1</source>
        <translation>поднимется над ним через %1</translation>
    </message>
    <message>
        <source>never sets</source>
        <translation>никогда не заходит</translation>
    </message>
    <message>
        <source>never rises</source>
        <translation>никогда не восходит</translation>
    </message>
    <message>
        <source>Orvex List</source>
        <translation>Список Orvex</translation>
    </message>
    <message>
        <source>         LIst of observational objects.</source>
        <translation>         Список объектов наблюдения.</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Clear objects list&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Очистить список объектов&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Read .lst file</source>
        <translation>Читать файл .lst</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Select .lst file, Read it and Add objects to list&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Выбрать файл .lst, прочитать его и добавить объекты в список&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Choose objects list file</source>
        <translation>Выберите файл списка объектов</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>Все файлы(*.*)</translation>
    </message>
    <message>
        <source>Cannot read list file %1: %2</source>
        <translation>Не удалось прочитать файл списка %1: %2</translation>
    </message>
    <message>
        <source>Cannot save list file %1: %2</source>
        <translation>Не удалось сохранить файл списка %1: %2</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 characters</source>
        <translation>строка %1 длиннее %2 символов</translation>
    </message>
    <message>
        <source>it has more than %1 lines</source>
        <translation>в нём больше %1 строк</translation>
    </message>
    <message>
        <source>there is not enough memory to read it</source>
        <translation>для его чтения не хватает памяти</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>это папка</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>это не обычный файл</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>он больше %1 МиБ</translation>
    </message>
</context>
<context>
    <name>Orvex_sky</name>
    <message>
        <source>Orvex Sky</source>
        <translation>Небо Orvex</translation>
    </message>
    <message>
        <source>old: %1</source>
        <translation>давность: %1</translation>
    </message>
    <message>
        <source>Position unknown</source>
        <translation>Положение неизвестно</translation>
    </message>
    <message>
        <source>N</source>
        <comment>north point at the rim of the sky</comment>
        <translation>С</translation>
    </message>
    <message>
        <source>E</source>
        <comment>east point at the rim of the sky</comment>
        <translation>В</translation>
    </message>
    <message>
        <source>S</source>
        <comment>south point at the rim of the sky</comment>
        <translation>Ю</translation>
    </message>
    <message>
        <source>W</source>
        <comment>west point at the rim of the sky</comment>
        <translation>З</translation>
    </message>
</context>
<context>
    <name>Orvex_about</name>
    <message>
        <source>About Orvex_Obj_List</source>
        <translation>О программе Orvex_Obj_List</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Автор</translation>
    </message>
    <message>
        <source>The Orvex-1000 observatory software group</source>
        <translation>Группа программного обеспечения телескопа Orvex-1000</translation>
    </message>
    <message>
        <source>The application is designed for observations on the Orvex-1000 telescope.&lt;br&gt;</source>
        <translation>Программа предназначена для наблюдений на телескопе Orvex-1000.&lt;br&gt;</translation>
    </message>
    <message>
        <source>Its main differences from all previously developed ones are: </source>
        <translation>Её главные отличия от всех разработанных ранее: </translation>
    </message>
    <message>
        <source>&lt;ul&gt;&lt;li&gt;It is developed on the basis of the widespread version of Qt5, which allows you to create (generate) versions of it for different versions of Windows and Linux.&lt;/li&gt;</source>
        <translation>&lt;ul&gt;&lt;li&gt;Она создана на основе широко распространённой версии Qt5, что позволяет собирать (генерировать) её варианты для разных версий Windows и Linux.&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;Does not use any special software interfaces to communicate with the Orvex TCS, and it works over HTTP through Orvex website, which have CGI-supporting programs.&lt;/li&gt;</source>
        <translation>&lt;li&gt;Не использует никаких специальных программных интерфейсов для связи с TCS Orvex и работает по HTTP через веб-сайт Orvex, на котором есть поддерживающие CGI-программы.&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;Implements the minimum necessary functions for observations on the telescope.&lt;/li&gt;</source>
        <translation>&lt;li&gt;Реализует минимально необходимые функции для наблюдений на телескопе.&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;Reproduces the usual methods of convenient work with objects lists  in the well-established xxx.lst file format (as in previous programs).&lt;/li&gt;</source>
        <translation>&lt;li&gt;Воспроизводит привычные приёмы удобной работы со списками объектов в устоявшемся формате файлов xxx.lst (как в прежних программах).&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;At the same time, it implements the principle of graphical representation of objects in the sky (as in the program &lt;b&gt;&lt;i&gt;orvex_list&lt;/i&gt;&lt;/b&gt;).&lt;/li&gt;</source>
        <translation>&lt;li&gt;Вместе с тем реализует принцип графического представления объектов на небе (как в программе &lt;b&gt;&lt;i&gt;orvex_list&lt;/i&gt;&lt;/b&gt;).&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;Allows you to save space on the screen by scaling or completely hiding unused windows.&lt;/li&gt;</source>
        <translation>&lt;li&gt;Позволяет экономить место на экране, масштабируя или полностью скрывая неиспользуемые окна.&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;Uses Qt-internationalization (via Qt-Linguist) to switch the application interface to the national language. At the moment, the Russian language is implemented for Russified OS.&lt;/li&gt;</source>
        <translation>&lt;li&gt;Использует интернационализацию Qt (через Qt Linguist) для переключения интерфейса программы на национальный язык. Сейчас реализован русский язык для русифицированных ОС.&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;It has the detailed internal description of the application called from the menu in the form of a separate window. Also in English and the national (now Russian) language.&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;li&gt;Имеет подробное встроенное описание программы, вызываемое из меню в отдельном окне. Также на английском и национальном (сейчас русском) языке.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
</context>
<context>
    <name>Orvex_help</name>
    <message>
        <source>Orvex_Obj_List manual</source>
        <translation>Руководство Orvex_Obj_List</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>^</source>
        <translation>^</translation>
    </message>
    <message>
        <source>To the beginning</source>
        <translation>В начало</translation>
    </message>
</context>
</TS>
