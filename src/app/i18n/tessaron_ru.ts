<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ru_RU">
<context>
    <name>BackgroundJob</name>
    <message>
        <location filename="../BackgroundJob.cpp" line="53" />
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../BackgroundJob.cpp" line="55" />
        <source>Please wait</source>
        <translation>Подождите</translation>
    </message>
</context>
<context>
    <name>CaseSheet</name>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="124" />
        <source>Page %1 of %2</source>
        <translation>Страница %1 из %2</translation>
    </message>
    <message>
        <location filename="../../formats/WebPageWriter.cpp" line="217" />
        <location filename="../../view/CaseSheetPage.cpp" line="127" />
        <source>Measurements from the surfaces as loaded; not a diagnosis.</source>
        <translation>Измерения по поверхностям в том виде, как они загружены; это не диагноз.</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="140" />
        <location filename="../../view/CaseSheetPage.cpp" line="388" />
        <source>%1 (continued)</source>
        <translation>%1 (продолжение)</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="154" />
        <source>Folder: %1</source>
        <translation>Папка: %1</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="160" />
        <source>Made %1 with %2</source>
        <translation>Составлен %1 программой %2</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="190" />
        <source>CT through the largest stone</source>
        <translation>КТ через наибольший камень</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="212" />
        <source>Axial plane through the centre of %1</source>
        <translation>Аксиальная плоскость через центр %1</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="213" />
        <source>Plane %1 of %2 of the image</source>
        <translation>Срез %1 из %2</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="214" />
        <source>Window %1 / level %2 HU</source>
        <translation>Окно %1 / уровень %2 HU</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="215" />
        <source>The patient's right on the left, the front up</source>
        <translation>Правая сторона пациента слева, передняя сверху</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="216" />
        <source>Outlines: the visible models where the plane cuts them, in their colours</source>
        <translation>Контуры: видимые модели в плоскости среза, в своих цветах</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="239" />
        <source>no picture</source>
        <translation>нет изображения</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="305" />
        <source>Legend</source>
        <translation>Обозначения</translation>
    </message>
    <message>
        <location filename="../../view/CaseSheetPage.cpp" line="498" />
        <location filename="../../view/CaseSheetPage.cpp" line="510" />
        <source>Cannot write %1: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
    <message>
        <location filename="../../view/SheetViews.cpp" line="176" />
        <source>Nothing is visible: show at least one model with surfaces to make a case sheet.</source>
        <translation>Ничего не показано: чтобы составить лист случая, покажите хотя бы одну модель с поверхностями.</translation>
    </message>
    <message>
        <location filename="../../view/SheetViews.cpp" line="238" />
        <source>Plan (the session's view)</source>
        <translation>План (вид сеанса)</translation>
    </message>
</context>
<context>
    <name>ColorSizeControl</name>
    <message>
        <location filename="../panels/ColorSizeControl.cpp" line="39" />
        <source>Color size control</source>
        <translation>Настройка палитры</translation>
    </message>
    <message>
        <location filename="../panels/ColorSizeControl.cpp" line="56" />
        <source>Function size</source>
        <translation>Число цветов</translation>
    </message>
    <message>
        <location filename="../panels/ColorSizeControl.cpp" line="59" />
        <source>Palette size</source>
        <translation>Размер палитры</translation>
    </message>
    <message>
        <location filename="../panels/ColorSizeControl.cpp" line="61" />
        <source>Repeat colors</source>
        <translation>Повторять цвета</translation>
    </message>
    <message>
        <location filename="../panels/ColorSizeControl.cpp" line="63" />
        <source>Lines without colors</source>
        <translation>Линии без цвета</translation>
    </message>
    <message>
        <location filename="../panels/ColorSizeControl.cpp" line="67" />
        <source>Isoline value:</source>
        <translation>Значение изолинии:</translation>
    </message>
    <message>
        <location filename="../panels/ColorSizeControl.cpp" line="69" />
        <source>Use exact value</source>
        <translation>Точное значение</translation>
    </message>
</context>
<context>
    <name>ColorsPage</name>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="26" />
        <source>Points</source>
        <translation>Точки</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="28" />
        <source>Edges</source>
        <translation>Рёбра</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="29" />
        <source>Background</source>
        <translation>Фон</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="31" />
        <source>Front faces</source>
        <translation>Лицевые грани</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="33" />
        <source>Back faces</source>
        <translation>Обратные грани</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="35" />
        <source>Boundary edges</source>
        <translation>Граничные рёбра</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="37" />
        <source>Selected primitives</source>
        <translation>Выделенные примитивы</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="39" />
        <source>Axis</source>
        <translation>Оси</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="40" />
        <source>Clipping plane</source>
        <translation>Секущая плоскость</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="42" />
        <source>Selected edges</source>
        <translation>Выделенные рёбра</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="44" />
        <source>Points and Cells numbers</source>
        <translation>Номера точек и ячеек</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="46" />
        <source>Isolines</source>
        <translation>Изолинии</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="58" />
        <source>Texture settings</source>
        <translation>Текстура</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="59" />
        <source>Use grey scale texture</source>
        <translation>Текстура в оттенках серого</translation>
    </message>
    <message>
        <location filename="../preferences/ColorsPage.cpp" line="66" />
        <source>Colors</source>
        <translation>Цвета</translation>
    </message>
</context>
<context>
    <name>ConfigDialog</name>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="47" />
        <source>Config Dialog</source>
        <translation>Параметры программы</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="52" />
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="53" />
        <source>Reload</source>
        <translation>Перечитать</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="55" />
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="56" />
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="85" />
        <source>Draw</source>
        <translation>Отображение</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="86" />
        <source>Selection</source>
        <translation>Выделение</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="87" />
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="88" />
        <source>Colors</source>
        <translation>Цвета</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="221" />
        <source>Attention</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="221" />
        <source>To change language you must restart the program.</source>
        <translation>Чтобы сменить язык, перезапустите программу.</translation>
    </message>
</context>
<context>
    <name>ConfigurationPage</name>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="17" />
        <source>Draw settings</source>
        <translation>Отображение точек</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="17" />
        <source>Draw all points</source>
        <translation>Показывать все точки</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="18" />
        <source>Draw visible points</source>
        <translation>Показывать видимые точки</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="19" />
        <source>Shading settings</source>
        <translation>Затенение</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="20" />
        <source>Phong shading (normals for vertices)</source>
        <translation>Затенение по Фонгу (нормали в вершинах)</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="21" />
        <source>Gouraud shading (normals for faces)</source>
        <translation>Затенение по Гуро (нормали граней)</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="22" />
        <source>Isolines colors</source>
        <translation>Цвета изолиний</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="23" />
        <source>Draw isolines with function colors</source>
        <translation>Изолинии цветами функции</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="24" />
        <source>Draw isolines with colid color</source>
        <translation>Изолинии одним цветом</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="33" />
        <source>The thickness</source>
        <translation>Толщина</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="34" />
        <source>Points thickness:</source>
        <translation>Толщина точек:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="36" />
        <source>Selected points thickness:</source>
        <translation>Толщина выделенных точек:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="37" />
        <source>Edges thickness:</source>
        <translation>Толщина рёбер:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="39" />
        <source>Boundary edges thickness:</source>
        <translation>Толщина граничных рёбер:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="40" />
        <source>Axis thickness:</source>
        <translation>Толщина осей:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="41" />
        <source>Isolines width:</source>
        <translation>Толщина изолиний:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="48" />
        <source>Isolines settings</source>
        <translation>Изолинии</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="53" />
        <source>Isolines brightness:</source>
        <translation>Яркость изолиний:</translation>
    </message>
</context>
<context>
    <name>FunctionControl</name>
    <message>
        <location filename="../panels/FunctionControl.cpp" line="43" />
        <source>Functions</source>
        <translation>Функции</translation>
    </message>
    <message>
        <location filename="../panels/FunctionControl.cpp" line="50" />
        <source>MIN:</source>
        <translation>МИН:</translation>
    </message>
    <message>
        <location filename="../panels/FunctionControl.cpp" line="52" />
        <source>MAX:</source>
        <translation>МАКС:</translation>
    </message>
    <message>
        <location filename="../panels/FunctionControl.cpp" line="60" />
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <location filename="../panels/FunctionControl.cpp" line="62" />
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <location filename="../panels/FunctionControl.cpp" line="65" />
        <source>Functions in faces</source>
        <translation>Функции в гранях</translation>
    </message>
    <message>
        <location filename="../panels/FunctionControl.cpp" line="221" />
        <source>Building model...</source>
        <translation>Построение модели...</translation>
    </message>
</context>
<context>
    <name>GLWidget</name>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="125" />
        <source>Model: %1</source>
        <translation>Модель: %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="127" />
        <source>There is no selected model.</source>
        <translation>Модель не выбрана.</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="133" />
        <source>File info:</source>
        <translation>Сведения о файле:</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="134" />
        <source>Count of zones = %1</source>
        <translation>Число зон = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="136" />
        <source>Count of points = %1</source>
        <translation>Число точек = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="139" />
        <source>Count of %1 -gons = %2</source>
        <translation>Число %1-угольников = %2</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="140" />
        <source>Count of tetrahedrons = %1</source>
        <translation>Число тетраэдров = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="141" />
        <source>Count of pyramids = %1</source>
        <translation>Число пирамид = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="142" />
        <source>Count of prisms = %1</source>
        <translation>Число призм = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="143" />
        <source>Count of hexahedrons = %1</source>
        <translation>Число гексаэдров = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="148" />
        <source>Count of functions = %1</source>
        <translation>Число функций = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="149" />
        <source>Model info:</source>
        <translation>Сведения о модели:</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="152" />
        <source>Min area of N-gon = %1</source>
        <translation>Наименьшая площадь многоугольника = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="153" />
        <source>Max area of N-gon = %1</source>
        <translation>Наибольшая площадь многоугольника = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="155" />
        <source>Min volume of tetrahedron = %1</source>
        <translation>Наименьший объём тетраэдра = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="156" />
        <source>Max volume of tetrahedron = %1</source>
        <translation>Наибольший объём тетраэдра = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="158" />
        <source>Euler characteristic = %1</source>
        <translation>Эйлерова характеристика = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="159" />
        <source>Count of lost vertices = %1</source>
        <translation>Число неиспользуемых вершин = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="160" />
        <source>Count of outer vertices = %1</source>
        <translation>Число внешних вершин = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="161" />
        <source>Count of inner vertices = %1</source>
        <translation>Число внутренних вершин = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="162" />
        <source>Count of boundary edges = %1</source>
        <translation>Число граничных рёбер = %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelInfo.cpp" line="163" />
        <source>Count of boundary vertices = %1</source>
        <translation>Число граничных вершин = %1</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="55" />
        <source>JPG - JPEG</source>
        <translation>JPG - JPEG</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="56" />
        <source>PNG - portable network graphics</source>
        <translation>PNG - переносимая сетевая графика</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="57" />
        <source>BMP - Bitmap Picture</source>
        <translation>BMP - точечный рисунок</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="58" />
        <source>SVG - Scalable Vector Graphics</source>
        <translation>SVG - масштабируемая векторная графика</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="59" />
        <source>PDF - Portable Document Format </source>
        <translation>PDF - переносимый формат документов </translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="60" />
        <source>PS - PostScript</source>
        <translation>PS - PostScript</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="61" />
        <source>EPS - Encapsulated PostScript</source>
        <translation>EPS - инкапсулированный PostScript</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="287" />
        <source>Save image As...</source>
        <translation>Сохранить изображение как...</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="292" />
        <source>Not saved: %1 has no image ending; images are written as %2.</source>
        <translation>Не сохранено: у имени %1 нет окончания изображения; изображения записываются как %2.</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="297" />
        <source>Image saved: %1</source>
        <translation>Изображение сохранено: %1</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="301" />
        <location filename="../../view/Export.cpp" line="303" />
        <source>The image could not be saved.</source>
        <translation>Не удалось сохранить изображение.</translation>
    </message>
    <message>
        <location filename="../../view/GLWidget.cpp" line="312" />
        <source>X in [%1;%2]; Y in [%3;%4]; Z in [%5;%6]</source>
        <translation>X в [%1;%2]; Y в [%3;%4]; Z в [%5;%6]</translation>
    </message>
    <message>
        <location filename="../../view/GLWidget.cpp" line="328" />
        <source>; Point: (%1;%2;%3); (Zone number=%4; Vertex number=%5)</source>
        <translation>; Точка: (%1;%2;%3); (номер зоны=%4; номер вершины=%5)</translation>
    </message>
    <message>
        <location filename="../../view/GLWidget.cpp" line="336" />
        <source>; %1 = %2</source>
        <translation>; %1 = %2</translation>
    </message>
    <message>
        <location filename="../../view/ModelPlacement.cpp" line="53" />
        <source>Drawing...</source>
        <translation>Отображение...</translation>
    </message>
    <message>
        <location filename="../../view/ModelLoad.cpp" line="20" />
        <location filename="../../view/ModelLoad.cpp" line="36" />
        <source>Preparing data for draw...</source>
        <translation>Подготовка данных для отображения...</translation>
    </message>
    <message>
        <location filename="../../view/ModelSave.cpp" line="62" />
        <source>The model was not saved: its cells name vertices it does not have.</source>
        <translation>Модель не сохранена: её ячейки ссылаются на несуществующие вершины.</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="302" />
        <location filename="../../view/ModelSave.cpp" line="65" />
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location filename="../../view/Measurements.cpp" line="54" />
        <source>Closest gap from %1 to %2: %3</source>
        <translation>Кратчайшее расстояние от %1 до %2: %3</translation>
    </message>
    <message>
        <location filename="../../view/SliceCamera.cpp" line="39" />
        <source>Window %1, level %2</source>
        <translation>Окно %1, уровень %2</translation>
    </message>
</context>
<context>
    <name>GradientControl</name>
    <message>
        <location filename="../panels/GradientControl.cpp" line="70" />
        <source>Gradient</source>
        <translation>Градиент</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <location filename="../../import/ImportedModel.cpp" line="51" />
        <source>Vertex %1 has a coordinate that is not a finite number.</source>
        <translation>Координата вершины %1 не является конечным числом.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="144" />
        <source>The folder holds no label maps.</source>
        <translation>В папке нет карт меток.</translation>
    </message>
    <message>
        <location filename="../../formats/FileKinds.cpp" line="491" />
        <source>a folder of masks</source>
        <translation>папка масок</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="40" />
        <location filename="../../import/Importer.cpp" line="108" />
        <location filename="../../import/Importer.cpp" line="270" />
        <source>This file holds surfaces, not an image.</source>
        <translation>В этом файле поверхности, а не изображение.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="82" />
        <source>No image was read: %1</source>
        <translation>Изображение не прочитано: %1</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="87" />
        <source>%1 segments another series; it is left out.</source>
        <translation>%1 размечает другую серию и пропущен.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="97" />
        <source>No image and no segment could be read there.</source>
        <translation>Там не удалось прочитать ни изображения, ни сегмента.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="110" />
        <source>This file holds an image, not labels.</source>
        <translation>В этом файле изображение, а не метки.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="135" />
        <source>Files of this kind are not imported; the endings read are %1.</source>
        <translation>Файлы такого вида не импортируются; читаются окончания %1.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="148" />
        <source>The file holds %1 data, not %2 as its name's ending says.</source>
        <translation>Файл содержит данные %1, а не %2, как говорит окончание его имени.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="183" />
        <source>The import was cancelled.</source>
        <translation>Импорт отменён.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="185" />
        <location filename="../../import/Importer.cpp" line="188" />
        <source>There is not enough memory to import the file.</source>
        <translation>Недостаточно памяти для импорта файла.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="189" />
        <source>The file cannot be imported.</source>
        <translation>Файл не удаётся импортировать.</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="266" />
        <source>A series was chosen, but this file holds one image at most.</source>
        <translation>Выбрана серия, но в этом файле не более одного изображения.</translation>
    </message>
    <message>
        <location filename="../../import/Inflate.cpp" line="35" />
        <source>The compressed voxel data is damaged (%1).</source>
        <translation>Сжатые данные вокселей повреждены (%1).</translation>
    </message>
    <message>
        <location filename="../../import/Inflate.cpp" line="46" />
        <source>The compressed voxel data cannot be read.</source>
        <translation>Сжатые данные вокселей не удаётся прочитать.</translation>
    </message>
    <message>
        <location filename="../../import/Inflate.cpp" line="69" />
        <source>The compressed voxel data holds more than the dimensions say.</source>
        <translation>Сжатые данные вокселей длиннее, чем следует из размеров.</translation>
    </message>
    <message>
        <location filename="../../import/Inflate.cpp" line="79" />
        <source>The compressed voxel data ends after %1 of %2 bytes.</source>
        <translation>Сжатые данные вокселей обрываются после %1 байт из %2.</translation>
    </message>
    <message>
        <location filename="../../import/Inflate.cpp" line="83" />
        <source>The compressed voxel data ends before its checksum.</source>
        <translation>Сжатые данные вокселей обрываются до контрольной суммы.</translation>
    </message>
    <message>
        <location filename="../../import/ImageImport.cpp" line="28" />
        <location filename="../../import/MeshFileImport.cpp" line="290" />
        <location filename="../../import/StlBinary.cpp" line="66" />
        <location filename="../../import/StlBinary.cpp" line="77" />
        <location filename="../../import/VtkReader.cpp" line="282" />
        <source>The file cannot be opened.</source>
        <translation>Файл не удаётся открыть.</translation>
    </message>
    <message>
        <location filename="../../import/ImageImport.cpp" line="155" />
        <source>There is not enough memory for the image (%1 voxels).</source>
        <translation>Недостаточно памяти для изображения (%1 вокселов).</translation>
    </message>
    <message>
        <location filename="../../import/ImageImport.cpp" line="191" />
        <source>The file holds %1 segmentation layers; an image has one.</source>
        <translation>В файле %1 слоёв сегментации; у изображения он один.</translation>
    </message>
    <message>
        <location filename="../../import/ImageImport.cpp" line="195" />
        <source>The image's value scaling is not a finite number.</source>
        <translation>Масштаб значений изображения не является конечным числом.</translation>
    </message>
    <message>
        <location filename="../../import/ImageImport.cpp" line="211" />
        <source>%1 voxels hold no number; they show black and count in no statistic.</source>
        <translation>Вокселов без числового значения: %1; они показаны чёрными и не входят в статистику.</translation>
    </message>
    <message>
        <location filename="../../import/LabelMapImport.cpp" line="47" />
        <source>Label %1</source>
        <translation>Метка %1</translation>
    </message>
    <message>
        <location filename="../../import/LabelMapImport.cpp" line="144" />
        <source>The label map holds no labels: every voxel is 0.</source>
        <translation>В карте меток нет меток: все воксели равны 0.</translation>
    </message>
    <message>
        <location filename="../../import/LabelMapImport.cpp" line="171" />
        <source>Finding the surfaces of the labels...</source>
        <translation>Построение поверхностей меток...</translation>
    </message>
    <message>
        <location filename="../../import/LabelMapImport.cpp" line="173" />
        <source>Smoothing the surfaces...</source>
        <translation>Сглаживание поверхностей...</translation>
    </message>
    <message>
        <location filename="../../import/LabelMapImport.cpp" line="183" />
        <source>%1 (label %2 of %3)</source>
        <translation>%1 (метка %2 из %3)</translation>
    </message>
    <message>
        <location filename="../../import/Importer.cpp" line="52" />
        <location filename="../../import/LabelMapImport.cpp" line="192" />
        <source>Reading %1...</source>
        <translation>Чтение %1...</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="65" />
        <location filename="../../import/DicomSeg.cpp" line="70" />
        <source>The segmentation gives no usable plane orientation.</source>
        <translation>Сегментация не задаёт пригодной ориентации плоскостей.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="83" />
        <source>The segmentation gives no pixel spacing.</source>
        <translation>Сегментация не задаёт шаг пикселей.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="88" />
        <source>The frame position %1 mm is out of any scanner's reach.</source>
        <translation>Положение кадра %1 мм вне досягаемости любого сканера.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="106" />
        <source>The segmentation's Spacing Between Slices (0018,0088) of %1 mm contradicts its frames' positions, %2 mm apart; the positions are used.</source>
        <translation>Spacing Between Slices (0018,0088) сегментации, %1 мм, противоречит положениям её кадров, отстоящих на %2 мм; используются положения.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="152" />
        <source>The segmentation's frames carry no plane positions, so they cannot be placed.</source>
        <translation>Кадры сегментации не несут положений плоскостей, поэтому их нельзя разместить.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="158" />
        <source>The segmentation's frames span %1 slices of %2 mm.</source>
        <translation>Кадры сегментации охватывают %1 срезов по %2 мм.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="178" />
        <source>Frames without a plane position, left out: %1.</source>
        <translation>Кадры без положения плоскости пропущены: %1.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="180" />
        <source>Frames off the grid of %1 mm slices, placed on the nearest: %2.</source>
        <translation>Кадры вне сетки срезов по %1 мм, помещены на ближайший: %2.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="185" />
        <source>The segmentation's frames do not span a volume.</source>
        <translation>Кадры сегментации не охватывают объём.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="251" />
        <source>its surface would have %1 million voxel faces; Tessaron makes surfaces of up to %2 million</source>
        <translation>его поверхность имела бы %1 млн граней вокселей; Tessaron строит поверхности не более чем из %2 млн</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="259" />
        <location filename="../../import/DicomSeg.cpp" line="347" />
        <source>Segment %1</source>
        <translation>Сегмент %1</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="260" />
        <source>Segment %1 (%2)</source>
        <translation>Сегмент %1 (%2)</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="279" />
        <source>its voxels would take %1 MB, more than the %2 MB allowed</source>
        <translation>его воксели заняли бы %1 МБ, больше допустимых %2 МБ</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="398" />
        <source>%1 frames name segment %2, which the segmentation does not describe; they are left out.</source>
        <translation>%1 кадров ссылаются на сегмент %2, который сегментация не описывает; они пропущены.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="413" />
        <source>%1 has no frames; it is left out.</source>
        <translation>%1 не имеет кадров и пропущен.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="414" />
        <source>%1 has no frames</source>
        <translation>%1 не имеет кадров</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="419" />
        <source>%1 holds no voxels; it is left out.</source>
        <translation>%1 не содержит вокселей и пропущен.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="420" />
        <source>%1 holds no voxels</source>
        <translation>%1 не содержит вокселей</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="435" />
        <source>%1 is left out: %2</source>
        <translation>%1 пропущен: %2</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="436" />
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="459" />
        <location filename="../../import/LabelMapImport.cpp" line="247" />
        <source>%1 (%2 of %3)</source>
        <translation>%1 (%2 из %3)</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="468" />
        <source>No segment of the segmentation could be read (%1).</source>
        <translation>Не удалось прочитать ни одного сегмента сегментации (%1).</translation>
    </message>
    <message>
        <location filename="../../import/LabelMapImport.cpp" line="258" />
        <source>The masks in this folder hold no labels.</source>
        <translation>В масках этой папки нет меток.</translation>
    </message>
    <message>
        <location filename="../../import/LabelSurface.cpp" line="700" />
        <source>The label map gives more surface vertices than a model holds.</source>
        <translation>Карта меток даёт больше вершин поверхности, чем вмещает модель.</translation>
    </message>
    <message>
        <location filename="../../import/LabelVolume.cpp" line="45" />
        <source>The label map holds the value %1, which is not a whole number. Labels are whole numbers; fractional values are refused, not rounded.</source>
        <translation>В карте меток есть значение %1, не являющееся целым числом. Метки — целые числа; дробные значения не принимаются и не округляются.</translation>
    </message>
    <message>
        <location filename="../../import/LabelVolume.cpp" line="52" />
        <source>more than %1</source>
        <translation>более %1</translation>
    </message>
    <message>
        <location filename="../../import/LabelVolume.cpp" line="53" />
        <source>The label map has %1 distinct labels; at most %2 are read. An image of intensities is not a label map.</source>
        <translation>В карте меток %1 различных меток; читается не более %2. Изображение яркостей — не карта меток.</translation>
    </message>
    <message>
        <location filename="../../import/LabelVolume.cpp" line="93" />
        <source>The label map's value scaling is not a finite number.</source>
        <translation>Масштабирование значений карты меток не является конечным числом.</translation>
    </message>
    <message>
        <location filename="../../import/MeshFileImport.cpp" line="117" />
        <location filename="../../import/StlBinary.cpp" line="71" />
        <location filename="../../import/StlText.cpp" line="51" />
        <source>The mesh has more cells than a model holds.</source>
        <translation>В сетке больше ячеек, чем вмещает модель.</translation>
    </message>
    <message>
        <location filename="../../import/MeshFileImport.cpp" line="133" />
        <source>A face names vertex %1; the mesh has %2.</source>
        <translation>Грань ссылается на вершину %1, а в сетке их %2.</translation>
    </message>
    <message>
        <location filename="../../import/MeshFileImport.cpp" line="199" />
        <location filename="../../import/MeshFileImport.cpp" line="270" />
        <source>The file's nodes nest more than %1 deep.</source>
        <translation>Узлы файла вложены глубже %1 уровней.</translation>
    </message>
    <message>
        <location filename="../../import/MeshFileImport.cpp" line="402" />
        <source>The file holds no surface: no mesh with faces of three or more corners.</source>
        <translation>В файле нет поверхности: нет сетки с гранями из трёх и более вершин.</translation>
    </message>
    <message>
        <location filename="../../import/MeshFileImport.cpp" line="365" />
        <source>The mesh file cannot be read: %1</source>
        <translation>Файл сетки не удаётся прочитать: %1</translation>
    </message>
    <message>
        <location filename="../../import/LabelMapImport.cpp" line="133" />
        <source>The label map's voxel spacing is zero or not a number.</source>
        <translation>Шаг вокселей карты меток равен нулю или не является числом.</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="68" />
        <location filename="../../import/NiftiReader.cpp" line="81" />
        <location filename="../../import/NrrdReader.cpp" line="74" />
        <source>The volume's voxel spacing is zero or not a number.</source>
        <translation>Шаг вокселов объёма равен нулю или не является числом.</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="85" />
        <source>The volume puts its voxels %1 mm apart or away; its spacing or placement is damaged.</source>
        <translation>Объём ставит вокселы на %1 мм друг от друга или от начала; его шаг или положение повреждены.</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="140" />
        <source>This is not a NIfTI file: its header lacks the NIfTI mark.</source>
        <translation>Это не файл NIfTI: в его заголовке нет метки NIfTI.</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="142" />
        <source>The header says the voxels start at byte %1, which is not after the header.</source>
        <translation>Заголовок говорит, что вокселы начинаются с байта %1, а это не после заголовка.</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="196" />
        <source>%1 (its header's label table)</source>
        <translation>%1 (таблица меток в заголовке)</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="230" />
        <source>The file holds %1 volumes; a label map or an image is one.</source>
        <translation>Файл содержит %1 объёмов; карта меток или изображение — один объём.</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="233" />
        <source>The voxel type %1 is not one a label map or an image has.</source>
        <translation>Тип вокселов %1 не бывает у карт меток и изображений.</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="224" />
        <source>This is not a NIfTI file, or its header is damaged.</source>
        <translation>Это не файл NIfTI, или его заголовок повреждён.</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="242" />
        <location filename="../../import/NrrdReader.cpp" line="102" />
        <source>The dimensions times the voxel size (%1 bytes) are more than the file holds (%2 bytes).</source>
        <translation>Размеры, умноженные на размер вокселя (%1 байт), больше, чем вмещает файл (%2 байт).</translation>
    </message>
    <message>
        <location filename="../../import/NiftiReader.cpp" line="160" />
        <location filename="../../import/NiftiReader.cpp" line="247" />
        <source>The voxel data of the file ends early or cannot be read.</source>
        <translation>Данные вокселей в файле обрываются или не читаются.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdHeader.cpp" line="13" />
        <source>The NRRD header's field "%1" has a value that cannot be read: %2</source>
        <translation>Значение поля "%1" заголовка NRRD не удаётся прочитать: %2</translation>
    </message>
    <message>
        <location filename="../../import/NrrdHeader.cpp" line="65" />
        <source>The NRRD voxel type "%1" is not one a label map or an image has.</source>
        <translation>Тип вокселов NRRD "%1" не бывает у карт меток и изображений.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdHeader.cpp" line="77" />
        <source>The NRRD encoding "%1" is not read; raw, gzip and text are.</source>
        <translation>Кодировка NRRD "%1" не читается; читаются raw, gzip и text.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdHeader.cpp" line="174" />
        <source>This is not a NRRD file: it does not start with "NRRD000".</source>
        <translation>Это не файл NRRD: он не начинается с "NRRD000".</translation>
    </message>
    <message>
        <location filename="../../import/NrrdHeader.cpp" line="198" />
        <source>The NRRD header has a line that is neither a field nor a comment: %1</source>
        <translation>В заголовке NRRD есть строка, которая не является ни полем, ни комментарием: %1</translation>
    </message>
    <message>
        <location filename="../../import/NrrdHeader.cpp" line="207" />
        <source>The NRRD header lacks one of the fields type, dimension and encoding.</source>
        <translation>В заголовке NRRD нет одного из полей type, dimension и encoding.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdHeader.cpp" line="210" />
        <source>The NRRD header gives %1 sizes for %2 dimensions.</source>
        <translation>Заголовок NRRD задаёт %1 размеров для %2 измерений.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdReader.cpp" line="32" />
        <source>A volume has 3 dimensions (4 with segmentation layers); this NRRD file has %1.</source>
        <translation>У объёма 3 измерения (4 со слоями сегментации); у этого файла NRRD их %1.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdReader.cpp" line="42" />
        <source>The NRRD file has four dimensions but no axis of layers first or last.</source>
        <translation>У файла NRRD четыре измерения, но ни первая, ни последняя ось не является осью слоёв.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdReader.cpp" line="58" />
        <source>A spatial axis of the NRRD file has no space direction.</source>
        <translation>У пространственной оси файла NRRD нет направления.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdReader.cpp" line="85" />
        <source>The NRRD data file "%1" cannot be read.</source>
        <translation>Файл данных NRRD "%1" не удаётся прочитать.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdReader.cpp" line="88" />
        <source>The NRRD data file %1 cannot be opened.</source>
        <translation>Файл данных NRRD %1 не удаётся открыть.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdReader.cpp" line="123" />
        <source>The NRRD text data ends or breaks after %1 of %2 values.</source>
        <translation>Текстовые данные NRRD обрываются после %1 значений из %2.</translation>
    </message>
    <message>
        <location filename="../../import/NrrdReader.cpp" line="141" />
        <source>There is not enough memory for the volume (%1 bytes).</source>
        <translation>Недостаточно памяти для объёма (%1 байт).</translation>
    </message>
    <message>
        <location filename="../../import/StlBinary.cpp" line="34" />
        <source>The STL file is too short to hold even its header (%1 bytes).</source>
        <translation>Файл STL слишком короток даже для заголовка (%1 байт).</translation>
    </message>
    <message>
        <location filename="../../import/StlBinary.cpp" line="42" />
        <source>The STL file says it holds %1 triangles (%2 bytes), but it has %3 bytes.</source>
        <translation>По заголовку в файле STL %1 треугольников (%2 байт), а в нём %3 байт.</translation>
    </message>
    <message>
        <location filename="../../import/VertexWeld.cpp" line="108" />
        <source>The mesh has more vertices than a model holds.</source>
        <translation>В сетке больше вершин, чем вмещает модель.</translation>
    </message>
    <message>
        <location filename="../../import/VtkBlock.cpp" line="56" />
        <source>%1 cells of a type that is not read (the first of type %2) were left out.</source>
        <translation>Пропущено ячеек нечитаемого типа (первая типа %2): %1.</translation>
    </message>
    <message>
        <location filename="../../import/VtkBlock.cpp" line="68" />
        <source>The VTK file has more cells than a model holds.</source>
        <translation>В файле VTK больше ячеек, чем вмещает модель.</translation>
    </message>
    <message>
        <location filename="../../import/VtkBlock.cpp" line="116" />
        <source>Cell %1 names point %2; the file has %3 points.</source>
        <translation>Ячейка %1 ссылается на точку %2, а в файле %3 точек.</translation>
    </message>
    <message>
        <location filename="../../import/VtkBlock.cpp" line="140" />
        <source>Cell %1 of VTK type %2 has %3 points; the type has %4.</source>
        <translation>У ячейки %1 типа VTK %2 %3 точек; у этого типа их %4.</translation>
    </message>
    <message>
        <location filename="../../import/VtkBlock.cpp" line="167" />
        <source>The VTK point data %1 has %2 values for %3 points.</source>
        <translation>Данные точек VTK %1: %2 значений на %3 точек.</translation>
    </message>
    <message>
        <location filename="../../import/VtkBlock.cpp" line="196" />
        <source>The VTK cell data %1 has %2 values for %3 cells.</source>
        <translation>Данные ячеек VTK %1: %2 значений на %3 ячеек.</translation>
    </message>
    <message>
        <location filename="../../import/VtkBlock.cpp" line="255" />
        <source>The VTK file has more points than a model holds.</source>
        <translation>В файле VTK больше точек, чем вмещает модель.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="40" />
        <source>The VTK file has cells but no POINTS.</source>
        <translation>В файле VTK есть ячейки, но нет POINTS.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="44" />
        <source>The VTK file gives %1 cell types for %2 cells.</source>
        <translation>Файл VTK задаёт %1 типов ячеек для %2 ячеек.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="54" />
        <source>This is not a legacy VTK file: its first line is not "# vtk DataFile Version ...".</source>
        <translation>Это не файл VTK прежнего формата: его первая строка не "# vtk DataFile Version ...".</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="59" />
        <source>The VTK file's third line must be ASCII or BINARY.</source>
        <translation>Третья строка файла VTK должна быть ASCII или BINARY.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="87" />
        <source>The VTK file has a section this reader does not know: %1</source>
        <translation>В файле VTK есть раздел, неизвестный этому чтению: %1</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="95" />
        <source>The VTK dataset %1 is not read; POLYDATA and UNSTRUCTURED_GRID are.</source>
        <translation>Набор данных VTK %1 не читается; читаются POLYDATA и UNSTRUCTURED_GRID.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="105" />
        <source>The VTK file has two POINTS sections.</source>
        <translation>В файле VTK два раздела POINTS.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="118" />
        <source>The VTK file lists the same kind of cells twice.</source>
        <translation>В файле VTK ячейки одного вида перечислены дважды.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="127" />
        <source>A cell of the VTK file lists more points than its cell list holds.</source>
        <translation>Ячейка файла VTK перечисляет больше точек, чем содержит её список.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="135" />
        <source>The VTK file announces %1 cells and lists %2.</source>
        <translation>Файл VTK объявляет %1 ячеек, а перечисляет %2.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="149" />
        <source>The VTK file's OFFSETS are not followed by CONNECTIVITY.</source>
        <translation>В файле VTK за OFFSETS не следует CONNECTIVITY.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="152" />
        <source>The VTK file's cell offsets do not span its connectivity.</source>
        <translation>Смещения ячеек файла VTK не охватывают список связности.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="155" />
        <source>The VTK file's cell offsets go backwards.</source>
        <translation>Смещения ячеек файла VTK убывают.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="180" />
        <source>The VTK scalars %1 have %2 components; 1 to 4 are allowed.</source>
        <translation>У скаляров VTK %1 %2 компонент; допускается от 1 до 4.</translation>
    </message>
    <message>
        <location filename="../../import/VtkReader.cpp" line="216" />
        <source>The VTK file has data values before POINT_DATA or CELL_DATA.</source>
        <translation>В файле VTK значения данных идут раньше POINT_DATA или CELL_DATA.</translation>
    </message>
    <message>
        <location filename="../../import/VtkStream.cpp" line="45" />
        <source>The VTK data type "%1" is not read.</source>
        <translation>Тип данных VTK "%1" не читается.</translation>
    </message>
    <message>
        <location filename="../../import/VtkStream.cpp" line="75" />
        <source>The VTK file ends, or breaks off, inside a block of numbers.</source>
        <translation>Файл VTK кончается или обрывается внутри блока чисел.</translation>
    </message>
    <message>
        <location filename="../../import/VtkStream.cpp" line="118" />
        <source>The VTK file ends where it should give %1.</source>
        <translation>Файл VTK кончается там, где должен задавать %1.</translation>
    </message>
    <message>
        <location filename="../../import/VtkStream.cpp" line="129" />
        <source>The VTK file gives "%1" where it should give %2.</source>
        <translation>Файл VTK задаёт "%1" там, где должен задавать %2.</translation>
    </message>
    <message>
        <location filename="../../cli/CliInput.cpp" line="68" />
        <location filename="../../cli/CliInput.cpp" line="188" />
        <source>warning: %1</source>
        <translation>предупреждение: %1</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="46" />
        <source>The glTF file nests its brackets more than %1 deep.</source>
        <translation>Скобки файла glTF вложены глубже %1 уровней.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="59" />
        <source>%1 has a %2 that is not a whole number of 0 or more.</source>
        <translation>%1: %2 не является целым числом, равным 0 или больше.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="118" />
        <source>Buffer %1</source>
        <translation>Буфер %1</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="129" />
        <source>%1 declares %2 bytes; its data holds %3.</source>
        <translation>%1 объявляет %2 байт; его данные содержат %3.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="147" />
        <source>%1 names a file that is not there: %2</source>
        <translation>%1 ссылается на отсутствующий файл: %2</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="170" />
        <source>Buffer view %1</source>
        <translation>Вид буфера %1</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="173" />
        <source>%1 names a buffer the file does not have.</source>
        <translation>%1 ссылается на буфер, которого нет в файле.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="178" />
        <source>%1 reaches past the end of its buffer.</source>
        <translation>%1 выходит за конец своего буфера.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="181" />
        <source>%1 has a byte stride of %2; a stride is a multiple of 4 from 4 to 252.</source>
        <translation>У %1 шаг %2 байт; шаг кратен 4 и лежит от 4 до 252.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="224" />
        <source>its component type or element type is not one of glTF's</source>
        <translation>его тип компонент или элементов не из glTF</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="230" />
        <source>it declares %1 elements and no data for them</source>
        <translation>он объявляет %1 элементов без данных для них</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="234" />
        <source>it names a buffer view the file does not have</source>
        <translation>он ссылается на вид буфера, которого нет в файле</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="242" />
        <source>it declares %1 elements, more than its buffer view's %2 bytes can hold</source>
        <translation>он объявляет %1 элементов, больше, чем вмещают %2 байт его вида буфера</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="254" />
        <source>Accessor %1</source>
        <translation>Аксессор %1</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="256" />
        <source>sparse accessors are not read</source>
        <translation>разреженные аксессоры не читаются</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="266" />
        <source>Image %1</source>
        <translation>Изображение %1</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="272" />
        <source>%1 names a buffer view the file does not have.</source>
        <translation>%1 ссылается на вид буфера, которого нет в файле.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="289" />
        <source>Node %1 names a mesh, skin or camera the file does not have.</source>
        <translation>Узел %1 ссылается на сетку, скелет или камеру, которых нет в файле.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="296" />
        <source>Node %1 has a child that is not a node of its own.</source>
        <translation>У узла %1 есть потомок, который не является его собственным узлом.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="305" />
        <source>The nodes of the glTF file form a loop or nest more than %1 deep.</source>
        <translation>Узлы файла glTF образуют цикл или вложены глубже %1 уровней.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="314" />
        <source>A scene of the glTF file names a node it does not have.</source>
        <translation>Сцена файла glTF ссылается на узел, которого нет в файле.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="328" />
        <source>it names an accessor the file does not have</source>
        <translation>он ссылается на аксессор, которого нет в файле</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="342" />
        <source>its elements are %1</source>
        <translation>его элементы — %1</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="353" />
        <source>The positions of %1 cannot be read: %2.</source>
        <translation>Не удаётся прочитать положения %1: %2.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="357" />
        <source>The positions of %1 are %2 elements, not the VEC3 points a surface is made of.</source>
        <translation>Положения %1 — элементы %2, а не точки VEC3, из которых состоит поверхность.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="362" />
        <source>The corners of %1 cannot be read: %2.</source>
        <translation>Не удаётся прочитать углы %1: %2.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="375" />
        <source>%1 of %2 was left out: %3.</source>
        <translation>%1 в %2 пропущен: %3.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="381" />
        <source>The morph targets of %1 were left out.</source>
        <translation>Цели морфинга %1 пропущены.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="386" />
        <source>The material of %1 was left out: the file does not have it.</source>
        <translation>Материал %1 пропущен: его нет в файле.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="407" />
        <source>The corners of %1 are not unsigned whole numbers.</source>
        <translation>Вершины углов в %1 заданы не целыми числами без знака.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="414" />
        <source>Corner 0 of %1 names vertex 0; there are 0 positions.</source>
        <translation>Угол 0 в %1 ссылается на вершину 0; вершин нет.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="425" />
        <source>The corners of %1 cannot be read: its buffer is shorter than it says.</source>
        <translation>Углы в %1 не прочесть: буфер короче заявленного.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="434" />
        <source>Corner %1 of %2 names vertex %3; there are %4 positions.</source>
        <translation>Угол %1 в %2 ссылается на вершину %3; вершин всего %4.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="450" />
        <source>primitive %1 of mesh %2</source>
        <translation>примитив %1 сетки %2</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="479" />
        <source>The texture %1 of material %2 was left out: the file does not have it.</source>
        <translation>Текстура %1 материала %2 пропущена: её нет в файле.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="515" />
        <source>An accessor of the glTF file cannot be read: %1.</source>
        <translation>Не удаётся прочитать аксессор файла glTF: %1.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="542" />
        <source>The glTF file is not valid JSON: %1 at byte %2.</source>
        <translation>Файл glTF не является правильным JSON: %1 в байте %2.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="546" />
        <source>The glTF file's JSON is not an object.</source>
        <translation>JSON файла glTF не является объектом.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="563" />
        <location filename="../../import/GltfCheck.cpp" line="568" />
        <location filename="../../import/GltfCheck.cpp" line="574" />
        <source>The file names %1; a file may only name files in its own folder.</source>
        <translation>Файл ссылается на %1; файл может ссылаться только на файлы своей папки.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="587" />
        <source>The file does not start as a GLB file does.</source>
        <translation>Файл начинается не так, как файл GLB.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="589" />
        <source>Only GLB files of version 2 are read.</source>
        <translation>Читаются только файлы GLB версии 2.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="592" />
        <source>The GLB file says it has %1 bytes; it has %2.</source>
        <translation>Файл GLB объявляет %1 байт; в нём %2.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="597" />
        <source>The GLB file's first chunk is not JSON, or longer than the file.</source>
        <translation>Первый блок файла GLB не JSON или длиннее файла.</translation>
    </message>
    <message>
        <location filename="../../import/GltfCheck.cpp" line="604" />
        <source>A chunk of the GLB file says it has %1 bytes, more than the file holds after it.</source>
        <translation>Блок файла GLB объявляет %1 байт, больше, чем файл содержит после него.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="33" />
        <source>The OFF file is empty.</source>
        <translation>Файл OFF пуст.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="37" />
        <source>Only OFF files of three-dimensional points are read; this one starts with %1.</source>
        <translation>Читаются только файлы OFF трёхмерных точек; этот начинается с %1.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="44" />
        <source>The OFF file ends before its vertex and face counts.</source>
        <translation>Файл OFF кончается до чисел вершин и граней.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="52" />
        <source>The OFF file does not start with its vertex and face counts.</source>
        <translation>Файл OFF не начинается с чисел вершин и граней.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="61" />
        <source>The file declares %1 vertices and %2 faces, more than its %3 bytes can hold.</source>
        <translation>Файл объявляет %1 вершин и %2 граней, больше, чем вмещают его %3 байт.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="76" />
        <source>The OFF file ends after %1 of its %2 vertices.</source>
        <translation>Файл OFF кончается после %1 из %2 вершин.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="83" />
        <source>Vertex %1 of the OFF file has %2 where a coordinate should be.</source>
        <translation>Вершина %1 файла OFF содержит %2 там, где должна быть координата.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="85" />
        <source>nothing</source>
        <translation>ничего</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="97" />
        <source>Face %1 of the OFF file does not start with its corner count.</source>
        <translation>Грань %1 файла OFF не начинается с числа углов.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="99" />
        <location filename="../../import/OffReader.cpp" line="107" />
        <source>Face %1 of the OFF file lists fewer corners than its count %2.</source>
        <translation>Грань %1 файла OFF перечисляет меньше углов, чем её число %2.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="111" />
        <source>Face %1 of the OFF file names vertex %2; the file has %3 vertices.</source>
        <translation>Грань %1 файла OFF ссылается на вершину %2; в файле %3 вершин.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="138" />
        <source>The OFF file ends after %1 of its %2 faces.</source>
        <translation>Файл OFF кончается после %1 из %2 граней.</translation>
    </message>
    <message>
        <location filename="../../import/OffReader.cpp" line="142" />
        <location filename="../../import/PlyReader.cpp" line="418" />
        <source>%1 faces of fewer than three corners (points and lines) were left out.</source>
        <translation>Пропущено граней менее чем с тремя углами (точек и линий): %1.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="71" />
        <source>The PLY header names the type %1, which is not a PLY type.</source>
        <translation>Заголовок PLY называет тип %1, которого нет в PLY.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="82" />
        <source>The PLY format %1 is not one of ascii, binary_little_endian and binary_big_endian.</source>
        <translation>Формат PLY %1 не является ни ascii, ни binary_little_endian, ни binary_big_endian.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="90" />
        <source>The PLY header declares a property before any element.</source>
        <translation>Заголовок PLY объявляет свойство раньше любого элемента.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="93" />
        <source>The PLY element %1 has more than %2 properties.</source>
        <translation>У элемента PLY %1 больше %2 свойств.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="102" />
        <source>The PLY list %1 is counted by a type that is not whole numbers.</source>
        <translation>Длина списка PLY %1 задана нецелым типом.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="114" />
        <source>The PLY header declares more than %1 elements.</source>
        <translation>Заголовок PLY объявляет больше %1 элементов.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="119" />
        <source>The PLY element %1 has no count of 0 or more.</source>
        <translation>У элемента PLY %1 нет числа, равного 0 или больше.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="128" />
        <source>The file does not start with "ply"; it is not a PLY file.</source>
        <translation>Файл не начинается с "ply"; это не файл PLY.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="136" />
        <source>The PLY header has no format line.</source>
        <translation>В заголовке PLY нет строки format.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="147" />
        <location filename="../../import/PlyReader.cpp" line="153" />
        <source>The PLY header has no end_header line.</source>
        <translation>В заголовке PLY нет строки end_header.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="149" />
        <source>Line %1 of the PLY header is not understood: %2</source>
        <translation>Строка %1 заголовка PLY непонятна: %2</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="194" />
        <source>The line of %1 holds more values than the PLY header declares.</source>
        <translation>Строка %1 содержит больше значений, чем объявляет заголовок PLY.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="209" />
        <source>The PLY file ends inside %1.</source>
        <translation>Файл PLY кончается внутри %1.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="225" />
        <source>The line of %1 ends before the values the PLY header declares.</source>
        <translation>Строка %1 кончается раньше значений, объявленных заголовком PLY.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="232" />
        <source>The PLY file has %1 in %2, where a number should be.</source>
        <translation>Файл PLY содержит %1 в %2 там, где должно быть число.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="283" />
        <source>The file declares %1 %2 elements, more than its %3 bytes can hold.</source>
        <translation>Файл объявляет %1 элементов %2, больше, чем вмещают его %3 байт.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="296" />
        <source>The PLY list %1 in %2 says it has %3 values; the file cannot hold them.</source>
        <translation>Список PLY %1 в %2 объявляет %3 значений; файл не может их вместить.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="326" />
        <source>The PLY vertices have no %1 coordinate.</source>
        <translation>У вершин PLY нет координаты %1.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="352" />
        <source>The PLY faces have no vertex_indices list.</source>
        <translation>У граней PLY нет списка vertex_indices.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="354" />
        <source>The PLY face corners are not whole numbers.</source>
        <translation>Углы граней PLY заданы не целыми числами.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="375" />
        <source>Face %1 of the PLY file names vertex %2; the file has %3 vertices.</source>
        <translation>Грань %1 файла PLY ссылается на вершину %2; в файле %3 вершин.</translation>
    </message>
    <message>
        <location filename="../../import/PlyReader.cpp" line="408" />
        <source>The PLY faces come before the vertices they name.</source>
        <translation>Грани PLY идут раньше вершин, на которые ссылаются.</translation>
    </message>
    <message>
        <location filename="../../import/StlText.cpp" line="12" />
        <source>The STL file ends inside facet %1.</source>
        <translation>Файл STL кончается внутри грани %1.</translation>
    </message>
    <message>
        <location filename="../../import/StlText.cpp" line="13" />
        <source>Facet %1 of the STL file has %2 where "%3" should be.</source>
        <translation>Грань %1 файла STL содержит %2 там, где должно быть "%3".</translation>
    </message>
    <message>
        <location filename="../../import/StlText.cpp" line="58" />
        <source>Facet %1 of the STL file has %2 corners; a facet has three.</source>
        <translation>У грани %1 файла STL %2 углов; у грани их три.</translation>
    </message>
    <message>
        <location filename="../../import/StlText.cpp" line="75" />
        <source>The STL file has %1 where "solid" should be.</source>
        <translation>Файл STL содержит %1 там, где должно быть "solid".</translation>
    </message>
    <message>
        <location filename="../../import/StlText.cpp" line="90" />
        <source>The STL file is empty.</source>
        <translation>Файл STL пуст.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="51" />
        <source>The 3MF package is not a zip file, or its table of contents is damaged.</source>
        <translation>Пакет 3MF не является zip-файлом, или его оглавление повреждено.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="84" />
        <source>3MF packages of more than 4 GB are not read.</source>
        <translation>Пакеты 3MF больше 4 ГБ не читаются.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="86" />
        <source>The 3MF part %1 is compressed by a method other than deflate.</source>
        <translation>Часть 3MF %1 сжата не методом deflate.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="93" />
        <source>The 3MF part %1 says it holds %2 bytes; its %3 compressed bytes cannot hold so many.</source>
        <translation>Часть 3MF %1 объявляет %2 байт; её %3 сжатых байт не могут вместить столько.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="118" />
        <source>The 3MF package would inflate to %1 bytes, more than %2 times its size; it is refused as a zip bomb.</source>
        <translation>Пакет 3MF распаковался бы в %1 байт, больше чем в %2 раз больше его размера; он отклонён как zip-бомба.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="136" />
        <source>The 3MF part %1 is too large.</source>
        <translation>Часть 3MF %1 слишком велика.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="151" />
        <source>The 3MF part %1 is damaged.</source>
        <translation>Часть 3MF %1 повреждена.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="160" />
        <source>The 3MF package has no _rels/.rels part naming its model.</source>
        <translation>В пакете 3MF нет части _rels/.rels, называющей его модель.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="170" />
        <source>The 3MF package's relationships name no model.</source>
        <translation>Связи пакета 3MF не называют модели.</translation>
    </message>
    <message>
        <location filename="../../import/ThreeMfCheck.cpp" line="182" />
        <source>The 3MF package has no model part %1.</source>
        <translation>В пакете 3MF нет части модели %1.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="50" />
        <source>The image orientation is not two perpendicular directions.</source>
        <translation>Ориентация изображения не задаёт два перпендикулярных направления.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="51" />
        <source>The images carry no orientation; they are shown as axial slices.</source>
        <translation>У изображений нет ориентации; они показаны как аксиальные срезы.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="76" />
        <source>The images carry no positions, so their order is unknown.</source>
        <translation>У изображений нет положений, поэтому их порядок неизвестен.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="82" />
        <source>The frames carry no positions; they are stacked in their file's order, %1 mm apart.</source>
        <translation>У кадров нет положений; они сложены в порядке файла через %1 мм.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="104" />
        <source>Slices at the position of another, left out: %1; one of each position was kept.</source>
        <translation>Срезов в положении другого среза пропущено: %1; из каждого положения оставлен один.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="140" />
        <source>Slices missing from the series: %1 (a gap of up to %2 mm where slices are %3 mm apart).</source>
        <translation>В серии не хватает срезов: %1 (промежуток до %2 мм при шаге срезов %3 мм).</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="149" />
        <source>The missing slices are left at the image's lowest value.</source>
        <translation>Недостающие срезы заполнены наименьшим значением изображения.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="152" />
        <source>The slices are unequally spaced, %1 to %2 mm apart.</source>
        <translation>Срезы расположены неравномерно, от %1 до %2 мм друг от друга.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="160" />
        <source>The slices are unequally spaced, %1 to %2 mm apart; they are placed at their mean spacing.</source>
        <translation>Срезы расположены неравномерно, от %1 до %2 мм друг от друга; они поставлены с их средним шагом.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="188" />
        <source>The slices are tilted by %1° against their planes (a gantry tilt); the image is sheared so that every slice keeps its place.</source>
        <translation>Срезы наклонены на %1° к своим плоскостям (наклон гентри); изображение скошено так, что каждый срез остаётся на своём месте.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="210" />
        <source>The pixel spacing (0028,0030) %1 mm is not a usable distance; pixels are read up to %2 mm wide.</source>
        <translation>Размер пикселя (0028,0030) %1 мм не является пригодным расстоянием; читаются пиксели шириной до %2 мм.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeg.cpp" line="81" />
        <source>The pixel spacing %1 mm is not a usable distance.</source>
        <translation>Размер пикселя %1 мм не является пригодным расстоянием.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="217" />
        <source>The image position %1 mm is out of any scanner's reach.</source>
        <translation>Положение изображения %1 мм вне досягаемости любого сканера.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="219" />
        <source>The images carry no pixel spacing; 1 mm is assumed.</source>
        <translation>У изображений нет размера пикселя; принят 1 мм.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="236" />
        <source>The series has a single slice.</source>
        <translation>В серии один срез.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="242" />
        <source>The slices lie %1 mm apart; slices are read up to %2 mm apart.</source>
        <translation>Срезы лежат в %1 мм друг от друга; читаются срезы, лежащие не дальше %2 мм друг от друга.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGeometry.cpp" line="248" />
        <source>The slice positions do not span a volume.</source>
        <translation>Положения срезов не образуют объём.</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="100" />
        <source>element %1 has no valid value type</source>
        <translation>у элемента %1 нет допустимого типа значения</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="112" />
        <source>it ends inside element %1</source>
        <translation>он обрывается внутри элемента %1</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="123" />
        <location filename="../../import/DicomGuard.cpp" line="127" />
        <source>element %1 has no length</source>
        <translation>у элемента %1 нет длины</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="131" />
        <source>element %1 claims %2 bytes where %3 remain</source>
        <translation>элемент %1 заявляет %2 байт, а осталось %3</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="163" />
        <source>an item has no end</source>
        <translation>у элемента последовательности нет конца</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="157" />
        <source>an item mark stands where an element belongs</source>
        <translation>метка элемента последовательности стоит на месте элемента данных</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="107" />
        <source>element %1 has the value type %2 where DS belongs</source>
        <translation>элемент %1 имеет тип значения %2 там, где должен быть DS</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="152" />
        <source>it ends inside an element</source>
        <translation>он обрывается внутри элемента</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="170" />
        <source>its sequences nest deeper than %1</source>
        <translation>его последовательности вложены глубже %1 уровней</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="179" />
        <source>a sequence holds something other than items</source>
        <translation>последовательность содержит не только элементы</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="183" />
        <source>an item claims %1 bytes where %2 remain</source>
        <translation>элемент последовательности заявляет %1 байт, а осталось %2</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="194" />
        <source>a sequence has no end</source>
        <translation>у последовательности нет конца</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="203" />
        <source>an end mark claims %1 bytes; it holds none</source>
        <translation>метка конца заявляет %1 байт, хотя не содержит ничего</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="217" />
        <source>its compressed pixel data holds something other than fragments</source>
        <translation>его сжатые пиксельные данные содержат не только фрагменты</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="220" />
        <source>a fragment of its compressed pixel data claims %1 bytes where %2 remain</source>
        <translation>фрагмент его сжатых пиксельных данных заявляет %1 байт, а осталось %2</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="229" />
        <source>its compressed pixel data has no end</source>
        <translation>у его сжатых пиксельных данных нет конца</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="239" />
        <source>a run-length frame of its pixel data is damaged</source>
        <translation>кадр его пиксельных данных со сжатием длин серий повреждён</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="282" />
        <source>its file meta group holds a sequence</source>
        <translation>группа метаинформации файла содержит последовательность</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="353" />
        <source>its deflated data inflates to more than the %1 MB its header needs</source>
        <translation>его сжатые данные распаковываются в объём больше %1 МБ, нужных по заголовку</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="374" />
        <source>no file meta group follows its DICM mark</source>
        <translation>за меткой DICM не следует группа метаинформации файла</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="380" />
        <source>it holds nothing after its file header</source>
        <translation>после заголовка файла в нём ничего нет</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="409" />
        <source>it cannot be opened</source>
        <translation>его нельзя открыть</translation>
    </message>
    <message>
        <location filename="../../import/DicomGuard.cpp" line="411" />
        <source>it is empty</source>
        <translation>он пуст</translation>
    </message>
    <message>
        <location filename="../../import/DicomMultiFrame.cpp" line="34" />
        <location filename="../../import/DicomMultiFrame.cpp" line="116" />
        <source>The functional groups of %1 are damaged.</source>
        <translation>Функциональные группы %1 повреждены.</translation>
    </message>
    <message>
        <location filename="../../import/DicomMultiFrame.cpp" line="92" />
        <source>The Grid Frame Offset Vector (3004,000C) of %1 holds %2 offsets for its %3 frames.</source>
        <translation>Смещения кадров сетки (3004,000C) в %1 дают %2 смещений для его %3 кадров.</translation>
    </message>
    <message>
        <location filename="../../import/DicomMultiFrame.cpp" line="104" />
        <source>%1 says it holds %2 frames, more than its %3 bytes can hold.</source>
        <translation>%1 говорит, что содержит %2 кадров, больше, чем вмещают его %3 байт.</translation>
    </message>
    <message>
        <location filename="../../import/DicomMosaic.cpp" line="84" />
        <source>%1 is a mosaic (Image Type (0008,0008) MOSAIC) that cannot be split into its slices: %2.</source>
        <translation>%1 — мозаика (Image Type (0008,0008) MOSAIC), которую нельзя разделить на срезы: %2.</translation>
    </message>
    <message>
        <location filename="../../import/DicomMosaic.cpp" line="106" />
        <source>its slice normal is not a direction</source>
        <translation>её нормаль к срезам не является направлением</translation>
    </message>
    <message>
        <location filename="../../import/DicomMosaic.cpp" line="119" />
        <location filename="../../import/DicomMultiFrame.cpp" line="111" />
        <location filename="../../import/DicomSegRead.cpp" line="264" />
        <source>The header of %1 cannot be read.</source>
        <translation>Заголовок %1 не читается.</translation>
    </message>
    <message>
        <location filename="../../import/DicomMosaic.cpp" line="125" />
        <source>it gives no usable count of slices in (0019,100A) or its CSA header (0029,1010)</source>
        <translation>в ней нет пригодного числа срезов ни в (0019,100A), ни в заголовке CSA (0029,1010)</translation>
    </message>
    <message>
        <location filename="../../import/DicomMosaic.cpp" line="130" />
        <source>its %1 × %2 pixels do not hold %3 tiles to a row</source>
        <translation>её %1 × %2 пикселей не делятся на %3 плиток в ряду</translation>
    </message>
    <message>
        <location filename="../../import/DicomMosaic.cpp" line="135" />
        <source>it carries no position or orientation</source>
        <translation>у неё нет положения или ориентации</translation>
    </message>
    <message>
        <location filename="../../import/DicomMosaic.cpp" line="138" />
        <source>it gives no slice spacing</source>
        <translation>в ней нет расстояния между срезами</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="54" />
        <source>The image has %1 rows and %2 columns; both must be 1 to 65534.</source>
        <translation>У изображения %1 строк и %2 столбцов; оба числа должны быть от 1 до 65534.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="58" />
        <source>The image has %1 bits per value; 8, 16 and 32 are read.</source>
        <translation>У изображения %1 бит на значение; читаются 8, 16 и 32.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="71" />
        <source>The image has %1 values per pixel; only grey images are read.</source>
        <translation>У изображения %1 значений на пиксель; читаются только полутоновые изображения.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="87" />
        <source>The images of the series differ in size.</source>
        <translation>Изображения серии различаются по размеру.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="74" />
        <source>The rescale slope %1 and intercept %2 are not usable.</source>
        <translation>Наклон %1 и сдвиг %2 пересчёта значений непригодны.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="61" />
        <source>%1 stores %2 bits (0028,0101) of values of %3 bits (0028,0100).</source>
        <translation>%1 хранит %2 бит (0028,0101) в значениях по %3 бит (0028,0100).</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="66" />
        <source>%1 gives the pixel representation (0028,0103) %2; 0 (unsigned) and 1 (signed) are read.</source>
        <translation>%1 указывает представление пикселей (0028,0103) %2; читаются 0 (без знака) и 1 (со знаком).</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="89" />
        <source>The series mixes images of the modalities %1 and %2 (0008,0060).</source>
        <translation>Серия смешивает изображения модальностей %1 и %2 (0008,0060).</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="94" />
        <source>The series mixes images of %1-bit and %2-bit values (0028,0100) or of signed and unsigned ones (0028,0103).</source>
        <translation>Серия смешивает изображения с %1-битными и %2-битными значениями (0028,0100) или со знаковыми и беззнаковыми (0028,0103).</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="123" />
        <source>The pixel data (7FE0,0010) of %1 holds %2 bytes, more than the %3 its %4 frames of %5 × %6 values of %7 bits take: the header does not describe it, and the rest is left out.</source>
        <translation>Данные пикселей (7FE0,0010) %1 занимают %2 байт, больше %3, которые занимают его %4 кадров по %5 × %6 значений по %7 бит: заголовок их не описывает, остаток пропущен.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="145" />
        <source>The image would need %1 GB, its voxels and the decoded pixels of one compressed file; Tessaron opens images up to %2 GB.</source>
        <translation>Изображению потребовалось бы %1 ГБ на воксели и декодированные пиксели одного сжатого файла; Tessaron открывает изображения не более %2 ГБ.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="158" />
        <source>The series would take %1 MB, more than the %2 MB an image may take.</source>
        <translation>Серия заняла бы %1 МБ, больше допустимых для изображения %2 МБ.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="169" />
        <source>%1 holds %2 bytes, fewer than its %3 frames of %4 × %5 pixels need.</source>
        <translation>%1 содержит %2 байт, меньше, чем нужно его кадрам (%3) по %4 × %5 пикселей.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="259" />
        <source>The pixel type %1 is not read.</source>
        <translation>Тип пикселей %1 не читается.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="342" />
        <location filename="../../import/DicomPixels.cpp" line="399" />
        <source>%1 describes its image in two different ways.</source>
        <translation>%1 описывает своё изображение двумя разными способами.</translation>
    </message>
    <message>
        <location filename="../../import/DicomDecode.cpp" line="48" />
        <source>%1 has no pixel data (7FE0,0010).</source>
        <translation>В %1 нет данных пикселей (7FE0,0010).</translation>
    </message>
    <message>
        <location filename="../../import/DicomDecode.cpp" line="127" />
        <source>The image of %1 would need %2 GB decoded; Tessaron decodes up to %3 GB of one file.</source>
        <translation>Изображению %1 после декодирования потребовалось бы %2 ГБ; Tessaron декодирует не более %3 ГБ из одного файла.</translation>
    </message>
    <message>
        <location filename="../../import/DicomDecode.cpp" line="154" />
        <source>The pixel data of %1 holds %2 bytes, fewer than its %3 frames of %4 × %5 pixels of %6 bits need.</source>
        <translation>Пиксельные данные %1 содержат %2 байт, меньше, чем нужно его кадрам (%3) по %4 × %5 пикселей по %6 бит.</translation>
    </message>
    <message>
        <location filename="../../import/DicomDecode.cpp" line="170" />
        <location filename="../../import/DicomPixels.cpp" line="313" />
        <source>%1 cannot be read as a DICOM image.</source>
        <translation>%1 не читается как изображение DICOM.</translation>
    </message>
    <message>
        <location filename="../../import/DicomDecode.cpp" line="208" />
        <source>The compressed pixel data of %1 is damaged; values the decoder could not read may be wrong.</source>
        <translation>Сжатые данные пикселей %1 повреждены; значения, которые декодер не смог прочесть, могут быть неверны.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="324" />
        <location filename="../../import/DicomPixels.cpp" line="355" />
        <source>%1 was shortened while it was read.</source>
        <translation>%1 был укорочен во время чтения.</translation>
    </message>
    <message>
        <location filename="../../import/DicomDecode.cpp" line="30" />
        <source>The pixel data of %1 cannot be decoded.</source>
        <translation>Пиксельные данные %1 не декодируются.</translation>
    </message>
    <message>
        <location filename="../../import/DicomPixels.cpp" line="455" />
        <source>The images do not say the unit of their values.</source>
        <translation>Изображения не указывают единицу своих значений.</translation>
    </message>
    <message>
        <location filename="../../import/DicomDecode.cpp" line="138" />
        <location filename="../../import/DicomScan.cpp" line="101" />
        <location filename="../../import/DicomSegRead.cpp" line="260" />
        <location filename="../../import/RtStruct.cpp" line="364" />
        <source>%1 is damaged: %2.</source>
        <translation>%1 повреждён: %2.</translation>
    </message>
    <message>
        <location filename="../../import/DicomScan.cpp" line="123" />
        <source>%1 is not a DICOM file.</source>
        <translation>%1 не является файлом DICOM.</translation>
    </message>
    <message>
        <location filename="../../import/DicomScan.cpp" line="196" />
        <source>The Grid Frame Offset Vector (3004,000C) of %1 holds something other than numbers.</source>
        <translation>Смещения кадров сетки (3004,000C) в %1 содержат не только числа.</translation>
    </message>
    <message>
        <location filename="../../import/DicomScan.cpp" line="343" />
        <source>The element %1 of %2 reads "%3", not a scale its values can be multiplied or shifted by.</source>
        <translation>Элемент %1 в %2 содержит «%3», а не масштаб, на который можно умножить или сдвинуть значения.</translation>
    </message>
    <message>
        <location filename="../../import/DicomScan.cpp" line="352" />
        <source>The DICOM path does not exist.</source>
        <translation>Путь DICOM не существует.</translation>
    </message>
    <message>
        <location filename="../../import/DicomScan.cpp" line="368" />
        <source>The DICOMDIR lists %1 files that are not there; the first: %2.</source>
        <translation>DICOMDIR перечисляет файлы, которых нет: %1; первый: %2.</translation>
    </message>
    <message>
        <location filename="../../import/DicomScan.cpp" line="378" />
        <source>No readable DICOM image was found there.</source>
        <translation>Там не найдено ни одного читаемого изображения DICOM.</translation>
    </message>
    <message>
        <location filename="../../import/DicomScan.cpp" line="380" />
        <source>Damaged files left out: %1; the first: %2</source>
        <translation>Пропущено повреждённых файлов: %1; первый: %2</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeries.cpp" line="30" />
        <source>The path holds %1 series; series %2 (%3), of the most slices, was read.</source>
        <translation>Путь содержит серий: %1; прочитана серия %2 (%3) с наибольшим числом срезов.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeries.cpp" line="41" />
        <source>There is no series %1; the path holds %2 series.</source>
        <translation>Серии %1 нет; путь содержит серий: %2.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSeries.cpp" line="49" />
        <source>No series of the path has the UID %1.</source>
        <translation>Ни у одной серии пути нет UID %1.</translation>
    </message>
    <message>
        <location filename="../../import/LabelMapData.cpp" line="14" />
        <location filename="../../import/NiftiReader.cpp" line="148" />
        <source>The volume's dimensions must be positive; one is %1.</source>
        <translation>Размеры объёма должны быть положительными; один из них равен %1.</translation>
    </message>
    <message>
        <location filename="../../import/LabelMapData.cpp" line="16" />
        <source>The volume's dimensions are too large to hold in memory.</source>
        <translation>Размеры объёма слишком велики, чтобы уместить его в памяти.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="256" />
        <location filename="../../import/RtStructMasks.cpp" line="319" />
        <source>ROI "%1"</source>
        <translation>Структура «%1»</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="258" />
        <source>%1: contours of fewer than three points were left out: %2.</source>
        <translation>%1: пропущены контуры менее чем из трёх точек: %2.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="262" />
        <source>%1: contours with coordinates that are not finite numbers were left out: %2.</source>
        <translation>%1: пропущены контуры с координатами, не являющимися конечными числами: %2.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="267" />
        <source>%1: contours whose coordinates are not three per point were left out: %2.</source>
        <translation>%1: пропущены контуры, у которых координат не по три на точку: %2.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="272" />
        <source>%1: contours that are not closed planar were left out: %2.</source>
        <translation>%1: пропущены контуры, не являющиеся замкнутыми плоскими: %2.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="277" />
        <source>%1: contours given twice were left out: %2.</source>
        <translation>%1: повторённые контуры пропущены: %2.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="279" />
        <source>%1: contours that cross themselves: %2; their inside is taken by the even-odd rule.</source>
        <translation>%1: самопересекающихся контуров: %2; их внутренность определена по правилу чётности.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="324" />
        <location filename="../../import/RtStruct.cpp" line="337" />
        <source>ROI %1</source>
        <translation>Структура %1</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="338" />
        <source>Contours name ROI number %1 (Referenced ROI Number (3006,0084)), which the Structure Set ROI Sequence does not list; they are read as "%2".</source>
        <translation>Контуры ссылаются на структуру номер %1 (Referenced ROI Number (3006,0084)), которой нет в Structure Set ROI Sequence; они прочитаны как «%2».</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="368" />
        <source>The structure set cannot be read.</source>
        <translation>Набор структур не удаётся прочитать.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="372" />
        <source>The file is not a structure set.</source>
        <translation>Файл не является набором структур.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="377" />
        <source>The structure set holds no ROI.</source>
        <translation>В наборе структур нет ни одной структуры.</translation>
    </message>
    <message>
        <location filename="../../import/RtStruct.cpp" line="391" />
        <source>The image series the contours were drawn on cannot be opened from the file's folder (%1); the masks lie on a grid made from the contours.</source>
        <translation>Серию изображений, на которой нарисованы контуры, не удаётся открыть из папки файла (%1); маски построены на сетке по контурам.</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="321" />
        <source>%1 has no contours; no model is made of it.</source>
        <translation>%1: нет контуров; модель не создана.</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="324" />
        <source>%1: contours that do not lie in the image's slices were left out: %2.</source>
        <translation>%1: пропущены контуры, не лежащие в срезах изображения: %2.</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="331" />
        <source>%1 lies outside the image; no model is made of it.</source>
        <translation>%1 лежит вне изображения; модель не создана.</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="351" />
        <source>%1 covers no voxel centre of the grid; no model is made of it.</source>
        <translation>%1 не покрывает ни одного центра вокселя сетки; модель не создана.</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="353" />
        <source>Smoothing the surface of %1...</source>
        <translation>Сглаживание поверхности: %1...</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="406" />
        <source>The structure set holds no usable contour.</source>
        <translation>В наборе структур нет пригодных контуров.</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="417" />
        <source>The contours span %1 mm at a slice spacing of %2 mm: %3 slices; at most %4 are made.</source>
        <translation>Контуры занимают %1 мм при шаге срезов %2 мм: %3 срезов; допускается не более %4.</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="430" />
        <source>The contours span %1 × %2 × %3 mm; a grid of %4 mm would hold more than %5 voxels, or %6 in one plane.</source>
        <translation>Контуры занимают %1 × %2 × %3 мм; сетка с шагом %4 мм содержала бы более %5 вокселей или более %6 в одной плоскости.</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="463" />
        <source>%1 (ROI %2 of %3)</source>
        <translation>%1 (структура %2 из %3)</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="476" />
        <source>ROI "%1" is left out: %2</source>
        <translation>Структура «%1» пропущена: %2</translation>
    </message>
    <message>
        <location filename="../../import/RtStructMasks.cpp" line="480" />
        <source>No ROI of the structure set has contours that make a mask.</source>
        <translation>Ни у одной структуры набора нет контуров, из которых получается маска.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="129" />
        <source>The segmentation's frames lie in planes of different orientations.</source>
        <translation>Кадры сегментации лежат в плоскостях разной ориентации.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="138" />
        <source>The segmentation gives per-frame positions for %1 of its %2 frames.</source>
        <translation>Сегментация задаёт положения для %1 из своих %2 кадров.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="190" />
        <source>The segmentation has %1 rows and %2 columns; both must be 1 to %3.</source>
        <translation>У сегментации %1 строк и %2 столбцов; оба числа должны быть от 1 до %3.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="101" />
        <source>Two segments have the number %1; the one labelled "%2" is left out.</source>
        <translation>У двух сегментов номер %1; сегмент с меткой «%2» пропущен.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="168" />
        <source>The segmentation has per-frame items for %1 frames but Number of Frames (0028,0008) says %2; %2 are read.</source>
        <translation>В сегментации покадровые элементы для %1 кадров, но Number of Frames (0028,0008) указывает %2; читается %2.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="180" />
        <source>The segmentation states no Number of Frames (0028,0008); it has per-frame items for %1 frames and pixel data for %2; %3 are read.</source>
        <translation>В сегментации нет Number of Frames (0028,0008); покадровых элементов на %1 кадров, пиксельных данных на %2; читается %3.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="195" />
        <source>The segmentation holds %1 frames; 1 to %2 are read.</source>
        <translation>Сегментация содержит %1 кадров; читается от 1 до %2.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="201" />
        <source>The %1 segmentation has %2 bits per pixel; %3 are read.</source>
        <translation>Сегментация %1 имеет %2 бит на пиксель; читается %3.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="216" />
        <source>The segmentation's pixel data holds %1 bytes, fewer than the %2 its %3 frames of %4 × %5 pixels need.</source>
        <translation>Пиксельные данные сегментации содержат %1 байт, меньше %2, нужных её %3 кадрам по %4 × %5 пикселей.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="232" />
        <source>The segmentation's pixel data cannot be read.</source>
        <translation>Пиксельные данные сегментации не читаются.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="240" />
        <source>The segmentation's pixels would take %1 MB, more than the %2 MB an image may take.</source>
        <translation>Пиксели сегментации заняли бы %1 МБ, больше %2 МБ, допустимых для изображения.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="278" />
        <source>The fractional segmentation gives no maximum fractional value.</source>
        <translation>Дробная сегментация не задаёт максимальное дробное значение.</translation>
    </message>
    <message>
        <location filename="../../import/DicomSegRead.cpp" line="285" />
        <source>The segmentation describes no segment.</source>
        <translation>Сегментация не описывает ни одного сегмента.</translation>
    </message>
    <message>
        <location filename="../../import/LabelNames.cpp" line="127" />
        <source>%1, line %2: "%3" is not a label value with a name and colour; the line is left out.</source>
        <translation>%1, строка %2: «%3» — не значение метки с именем и цветом; строка пропущена.</translation>
    </message>
    <message>
        <location filename="../../import/LabelTables.cpp" line="29" />
        <source>%1, line %2: %3</source>
        <translation>%1, строка %2: %3</translation>
    </message>
    <message>
        <location filename="../../import/LabelTables.cpp" line="54" />
        <source>a label without a whole Key or a name is left out.</source>
        <translation>метка без целого Key или без имени пропущена.</translation>
    </message>
    <message>
        <location filename="../../import/LabelTables.cpp" line="76" />
        <source>the label table breaks off (%1); the labels before it are kept.</source>
        <translation>таблица меток обрывается (%1); метки до обрыва сохранены.</translation>
    </message>
    <message>
        <location filename="../../import/LabelTables.cpp" line="147" />
        <source>the file is not JSON (%1).</source>
        <translation>файл не в формате JSON (%1).</translation>
    </message>
    <message>
        <location filename="../../import/LabelTables.cpp" line="161" />
        <source>"%1" has no single whole label value; it is left out.</source>
        <translation>у «%1» нет одного целого значения метки; запись пропущена.</translation>
    </message>
    <message>
        <location filename="../../import/SessionOpen.cpp" line="34" />
        <source>The file does not exist.</source>
        <translation>Файл не существует.</translation>
    </message>
    <message>
        <location filename="../../import/SessionOpen.cpp" line="38" />
        <source>This is a system file, not a model or image file.</source>
        <translation>Это системный файл, а не файл модели или изображения.</translation>
    </message>
    <message>
        <location filename="../../import/SessionOpen.cpp" line="40" />
        <source>This is a device or a pipe, not a file.</source>
        <translation>Это устройство или канал, а не файл.</translation>
    </message>
    <message>
        <location filename="../../import/SessionOpen.cpp" line="56" />
        <source>A session names model files, not other sessions.</source>
        <translation>Сеанс называет файлы моделей, а не другие сеансы.</translation>
    </message>
    <message>
        <location filename="../../import/SessionOpen.cpp" line="65" />
        <source>This folder holds no label maps or DICOM images.</source>
        <translation>В этой папке нет карт меток и изображений DICOM.</translation>
    </message>
    <message>
        <location filename="../../import/SessionOpen.cpp" line="66" />
        <source>Files of this kind are not opened; the endings read are %1.</source>
        <translation>Файлы этого вида не открываются; читаются окончания %1.</translation>
    </message>
    <message>
        <location filename="../../import/SessionOpen.cpp" line="110" />
        <source>The file holds no model named %1.</source>
        <translation>В файле нет модели с именем %1.</translation>
    </message>
    <message>
        <location filename="../../import/DicomStreams.cpp" line="101" />
        <source>a compressed frame has no readable frame header</source>
        <translation>у сжатого кадра нет читаемого заголовка кадра</translation>
    </message>
    <message>
        <location filename="../../import/DicomStreams.cpp" line="103" />
        <source>a %1 frame holds %2 × %3 pixels where Columns (0028,0011) and Rows (0028,0010) say %4 × %5</source>
        <translation>кадр %1 содержит %2 × %3 пикселей, а Columns (0028,0011) и Rows (0028,0010) указывают %4 × %5</translation>
    </message>
    <message>
        <location filename="../../import/DicomStreams.cpp" line="111" />
        <source>a %1 frame has %2 components; grey images of one are read</source>
        <translation>кадр %1 имеет %2 компонент; читаются полутоновые изображения с одной</translation>
    </message>
    <message>
        <location filename="../../import/DicomStreams.cpp" line="115" />
        <source>a %1 frame has %2 bits per pixel where Bits Allocated (0028,0100) says %3</source>
        <translation>кадр %1 имеет %2 бит на пиксель, а Bits Allocated (0028,0100) указывает %3</translation>
    </message>
</context>
<context>
    <name>IntersectControl</name>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="58" />
        <source>Intersection</source>
        <translation>Сечение</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="66" />
        <source>Point:</source>
        <translation>Точка:</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="68" />
        <source>Normal:</source>
        <translation>Нормаль:</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="70" />
        <source>LoadFromSel</source>
        <translation>Из выбранной точки</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="71" />
        <source>Smooth Intersection</source>
        <translation>Гладкое сечение</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="73" />
        <source>Draw clipping rectangle</source>
        <translation>Показать секущую плоскость</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="75" />
        <source>Include intersected primitives</source>
        <translation>Включать пересечённые элементы</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="76" />
        <source>Invert normal</source>
        <translation>Обратить нормаль</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="77" />
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
</context>
<context>
    <name>IsoControl</name>
    <message>
        <location filename="../panels/IsoControl.cpp" line="37" />
        <source>Isosurfaces control</source>
        <translation>Изоповерхности</translation>
    </message>
    <message>
        <location filename="../panels/IsoControl.cpp" line="42" />
        <source>Uniformity</source>
        <translation>Равномерно</translation>
    </message>
    <message>
        <location filename="../panels/IsoControl.cpp" line="45" />
        <source>Count of intersections:</source>
        <translation>Число сечений:</translation>
    </message>
    <message>
        <location filename="../panels/IsoControl.cpp" line="51" />
        <source>Intersection values:</source>
        <translation>Значения сечений:</translation>
    </message>
    <message>
        <location filename="../panels/IsoControl.cpp" line="55" />
        <source>Values separated by ";"</source>
        <translation>Значения через ";"</translation>
    </message>
    <message>
        <location filename="../panels/IsoControl.cpp" line="109" />
        <source>Building model...</source>
        <translation>Построение модели...</translation>
    </message>
    <message>
        <location filename="../panels/IsoControl.cpp" line="129" />
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <location filename="../panels/IsoControl.cpp" line="129" />
        <source>There is no points</source>
        <translation>Нет точек</translation>
    </message>
</context>
<context>
    <name>LabelMapWriter</name>
    <message>
        <location filename="../../formats/LabelMapWriter.cpp" line="78" />
        <source>%1: the grid is too large for a label map</source>
        <translation>%1: сетка слишком велика для карты меток</translation>
    </message>
    <message>
        <location filename="../../formats/LabelMapWriter.cpp" line="83" />
        <location filename="../../formats/LabelMapWriter.cpp" line="90" />
        <source>%1: cannot be written: %2</source>
        <translation>%1: не удаётся записать: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../Tessaron.cpp" line="106" />
        <source>Tessaron v1.1.256</source>
        <translation>Tessaron v1.1.256</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="276" />
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="277" />
        <source>SaveAs</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="278" />
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="279" />
        <source>Recent files...</source>
        <translation>Последние файлы...</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="280" />
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="281" />
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="282" />
        <source>Panels</source>
        <translation>Панели</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="283" />
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="284" />
        <source>Clone model</source>
        <translation>Копия модели</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="285" />
        <source>Operations</source>
        <translation>Операции</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="286" />
        <source>Slices</source>
        <translation>Срезы</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="293" />
        <source>Set Plane XY: the superior view (from the head, the front up, the patient's right on the right)</source>
        <translation>Плоскость XY: вид сверху (со стороны головы, передняя сторона вверху, правая сторона пациента справа)</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="297" />
        <source>Set Plane XZ: the posterior view (from behind, head up, the patient's right on the right)</source>
        <translation>Плоскость XZ: вид сзади (голова вверху, правая сторона пациента справа)</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="301" />
        <source>Set Plane YZ: the right lateral view (from the patient's right, head up, the front on the right)</source>
        <translation>Плоскость YZ: вид справа (с правой стороны пациента, голова вверху, передняя сторона справа)</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="305" />
        <source>Start Position: the whole scene back to the start view (from the head, the front up)</source>
        <translation>Начальное положение: вся сцена в начальный вид (со стороны головы, передняя сторона вверху)</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="311" />
        <source>Light</source>
        <translation>Освещение</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="312" />
        <source>toolBar</source>
        <translation>Панель инструментов</translation>
    </message>
    <message>
        <location filename="../../view/Light.cpp" line="29" />
        <source>Monochrome</source>
        <translation>Монохромный</translation>
    </message>
    <message>
        <location filename="../../view/Light.cpp" line="35" />
        <source>Front</source>
        <translation>Спереди</translation>
    </message>
    <message>
        <location filename="../../view/Light.cpp" line="41" />
        <source>Top</source>
        <translation>Сверху</translation>
    </message>
    <message>
        <location filename="../../view/Light.cpp" line="47" />
        <source>TopRight</source>
        <translation>Сверху справа</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="18" />
        <source>Open...</source>
        <translation>Открыть...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="20" />
        <source>Open DICOM Folder...</source>
        <translation>Открыть папку DICOM...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="22" />
        <source>Import...</source>
        <translation>Импорт...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="24" />
        <source>Open Session...</source>
        <translation>Открыть сеанс...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="26" />
        <source>Save Session...</source>
        <translation>Сохранить сеанс...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="28" />
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="30" />
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="32" />
        <source>Clear list</source>
        <translation>Очистить список</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="34" />
        <source>Save As .MESH...</source>
        <translation>Сохранить как .MESH...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="36" />
        <source>Save As .OFF...</source>
        <translation>Сохранить как .OFF...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="38" />
        <source>Save As .VTK...</source>
        <translation>Сохранить как .VTK...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="40" />
        <source>Save As .OBJ...</source>
        <translation>Сохранить как .OBJ...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="42" />
        <source>Save As .PLY...</source>
        <translation>Сохранить как .PLY...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="44" />
        <source>Save As .DAT...</source>
        <translation>Сохранить как .DAT...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="46" />
        <source>Save As Image</source>
        <translation>Сохранить как изображение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="48" />
        <source>Save As binary .STL...</source>
        <translation>Сохранить как двоичный .STL...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="50" />
        <source>Save As text .STL...</source>
        <translation>Сохранить как текстовый .STL...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="52" />
        <source>Save As Star CD...</source>
        <translation>Сохранить как Star CD...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="54" />
        <source>Save Scene As glTF...</source>
        <translation>Сохранить сцену как glTF...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="56" />
        <source>Web page (%1)...</source>
        <translation>Веб-страница (%1)...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="58" />
        <source>Print</source>
        <translation>Печать</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="60" />
        <source>Case sheet...</source>
        <translation>Лист случая...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="62" />
        <source>Print case sheet...</source>
        <translation>Печать листа случая...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="64" />
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="66" />
        <source>Model Info</source>
        <translation>Сведения о модели</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="68" />
        <source>Measurements</source>
        <translation>Измерения</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="70" />
        <source>Closest gap</source>
        <translation>Кратчайшее расстояние</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="72" />
        <source>Find Stones</source>
        <translation>Найти камни</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="74" />
        <source>Preferences</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="76" />
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="78" />
        <source>View Points</source>
        <translation>Показать точки</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="80" />
        <source>View Edges</source>
        <translation>Показать рёбра</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="82" />
        <location filename="../ActionTable.cpp" line="90" />
        <source>View Faces</source>
        <translation>Показать грани</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="84" />
        <source>View Vertices</source>
        <translation>Показать вершины</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="86" />
        <source>View contour edges</source>
        <translation>Контурные рёбра</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="88" />
        <source>View surface edges</source>
        <translation>Рёбра поверхности</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="92" />
        <source>View Surface</source>
        <translation>Показать поверхность</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="94" />
        <source>Black-and-white mode</source>
        <translation>Чёрно-белый режим</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="96" />
        <source>Material</source>
        <translation>Материалы</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="98" />
        <source>Functions</source>
        <translation>Функции</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="100" />
        <source>View Isosurfaces</source>
        <translation>Изоповерхности</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="102" />
        <source>View Intersect</source>
        <translation>Сечение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="104" />
        <source>View Color Lines</source>
        <translation>Цветные изолинии</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="106" />
        <source>View BoundingBox</source>
        <translation>Ограничивающий параллелепипед</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="108" />
        <source>View Inner Edges</source>
        <translation>Внутренние рёбра</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="110" />
        <source>Transparent Mode</source>
        <translation>Прозрачность</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="112" />
        <source>Show Axes</source>
        <translation>Показать оси</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="114" />
        <source>Start Position</source>
        <translation>Исходное положение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="116" />
        <source>Rescale to screen</source>
        <translation>Вписать в экран</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="118" />
        <source>Fit all</source>
        <translation>Показать всё</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="120" />
        <source>Move Center</source>
        <translation>Переместить центр</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="122" />
        <source>Rotate to X</source>
        <translation>Повернуть вокруг X</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="124" />
        <source>Rotate to Y</source>
        <translation>Повернуть вокруг Y</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="126" />
        <source>Rotate to Z</source>
        <translation>Повернуть вокруг Z</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="128" />
        <source>Set Plane XY</source>
        <translation>Плоскость XY</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="130" />
        <source>Set Plane XZ</source>
        <translation>Плоскость XZ</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="132" />
        <source>Set Plane YZ</source>
        <translation>Плоскость YZ</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="134" />
        <source>Zoom in</source>
        <translation>Увеличить</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="136" />
        <source>Zoom out</source>
        <translation>Уменьшить</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="138" />
        <source>Show in 3D-Stereo</source>
        <translation>Стереоизображение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="140" />
        <source>Show in FullScreen</source>
        <translation>Во весь экран</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="142" />
        <source>Change Background Color</source>
        <translation>Цвет фона</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="144" />
        <source>Show Ruler</source>
        <translation>Линейка</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="146" />
        <source>Splice vertices</source>
        <translation>Склеить вершины</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="148" />
        <source>Mass Select</source>
        <translation>Выделение рамкой</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="150" />
        <source>Multi select</source>
        <translation>Множественный выбор</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="152" />
        <source>Clear selection</source>
        <translation>Снять выделение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="154" />
        <source>Edit selection</source>
        <translation>Изменить материал выделения</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="156" />
        <source>Edit Point</source>
        <translation>Изменить точку</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="158" />
        <source>Fill material zeros</source>
        <translation>Заполнить материалы нулями</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="160" />
        <source>Find border Edges</source>
        <translation>Найти граничные рёбра</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="162" />
        <source>Find border material Edges</source>
        <translation>Найти границы материала</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="165" />
        <source>Centering all models by selected point</source>
        <translation>Центрировать все модели по выбранной точке</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="168" />
        <source>Transfrom all models as active model</source>
        <translation>Преобразовать все модели как активную</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="170" />
        <source>Get full clone of active model</source>
        <translation>Полная копия активной модели</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="173" />
        <source>Clone selection into new model</source>
        <translation>Выделение в новую модель</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="176" />
        <source>Clone visible primitives into new model</source>
        <translation>Видимые примитивы в новую модель</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="179" />
        <source>Convert cell functionts to vert.functions</source>
        <translation>Функции ячеек в функции вершин</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="181" />
        <source>Create surface of model</source>
        <translation>Построить поверхность модели</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="183" />
        <source>Topology Merge Vertices</source>
        <translation>Слияние вершин топологии</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="185" />
        <source>Axial plane</source>
        <translation>Аксиальная плоскость</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="187" />
        <source>Coronal plane</source>
        <translation>Корональная плоскость</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="189" />
        <source>Sagittal plane</source>
        <translation>Сагиттальная плоскость</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="191" />
        <source>Soft tissue (W 400 / L 40)</source>
        <translation>Мягкие ткани (W 400 / L 40)</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="193" />
        <source>Bone (W 1800 / L 400)</source>
        <translation>Кость (W 1800 / L 400)</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="195" />
        <source>Stone (W 2000 / L 600)</source>
        <translation>Камень (W 2000 / L 600)</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="197" />
        <source>Window/Level Mode</source>
        <translation>Режим окна/уровня</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="199" />
        <source>Close Image</source>
        <translation>Закрыть изображение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="201" />
        <source>Full interface</source>
        <translation>Полный интерфейс</translation>
    </message>
</context>
<context>
    <name>MaterialsControl</name>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="17" />
        <source>Materials</source>
        <translation>Материалы</translation>
    </message>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="30" />
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="31" />
        <source>SelectAll</source>
        <translation>Выбрать все</translation>
    </message>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="32" />
        <source>DeselectAll</source>
        <translation>Снять выбор</translation>
    </message>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="33" />
        <source>Change</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="106" />
        <source>Change Materil Number</source>
        <translation>Изменение номера материала</translation>
    </message>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="128" />
        <location filename="../panels/MaterialsControl.cpp" line="137" />
        <source>Input new material number:</source>
        <translation>Введите новый номер материала:</translation>
    </message>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="136" />
        <source>Input old material number:</source>
        <translation>Введите прежний номер материала:</translation>
    </message>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="140" />
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location filename="../panels/MaterialsControl.cpp" line="141" />
        <source>Old material does not exist in original model!</source>
        <translation>Прежнего материала нет в исходной модели!</translation>
    </message>
</context>
<context>
    <name>Measurements</name>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="28" />
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="28" />
        <source>no</source>
        <translation>нет</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="36" />
        <location filename="../../measure/MeasureReport.cpp" line="56" />
        <source>no triangles</source>
        <translation>нет треугольников</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="38" />
        <source>border edges: %1</source>
        <translation>граничных рёбер: %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="40" />
        <source>non-manifold edges: %1</source>
        <translation>неманифолдных рёбер: %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="42" />
        <source>non-manifold vertices: %1</source>
        <translation>неманифолдных вершин: %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="44" />
        <source>misoriented edges: %1</source>
        <translation>рёбер с несогласованной ориентацией: %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="46" />
        <source>self-intersecting</source>
        <translation>самопересекается</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="48" />
        <source>closed, inside out</source>
        <translation>замкнута, вывернута наизнанку</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="48" />
        <source>closed</source>
        <translation>замкнута</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="58" />
        <location filename="../../measure/MeasureReport.cpp" line="219" />
        <source>not closed</source>
        <translation>не замкнута</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="60" />
        <source>not manifold</source>
        <translation>не многообразие</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="61" />
        <source>not oriented</source>
        <translation>не ориентирована</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="66" />
        <location filename="../../view/SheetSlice.cpp" line="127" />
        <source>%1 #%2</source>
        <translation>%1 №%2</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="25" />
        <source>Tumour</source>
        <translation>Опухоль</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="65" />
        <source>Kidney</source>
        <translation>Почка</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="36" />
        <source>Collecting system</source>
        <translation>Чашечно-лоханочная система</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="22" />
        <source>Cyst</source>
        <translation>Киста</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="32" />
        <source>Stones</source>
        <translation>Камни</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="41" />
        <source>Artery</source>
        <translation>Артерия</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="46" />
        <source>Vein</source>
        <translation>Вена</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="54" />
        <source>Skin</source>
        <translation>Кожа</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="59" />
        <source>Bone</source>
        <translation>Кость</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="70" />
        <source>Ureter</source>
        <translation>Мочеточник</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="72" />
        <source>Urinary bladder</source>
        <translation>Мочевой пузырь</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="74" />
        <source>Adrenal gland</source>
        <translation>Надпочечник</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="77" />
        <source>Spleen</source>
        <translation>Селезёнка</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="79" />
        <source>Liver</source>
        <translation>Печень</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="81" />
        <source>Pancreas</source>
        <translation>Поджелудочная железа</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="83" />
        <source>Gallbladder</source>
        <translation>Желчный пузырь</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="86" />
        <source>Aorta</source>
        <translation>Аорта</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="88" />
        <source>Renal pyramids</source>
        <translation>Почечные пирамиды</translation>
    </message>
    <message>
        <location filename="../../model/AnatomyTable.cpp" line="90" />
        <source>Marked as bad</source>
        <translation>Помечено как негодное</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="95" />
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="105" />
        <source>%1 mm</source>
        <translation>%1 мм</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="110" />
        <source>%1 mm²</source>
        <translation>%1 мм²</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="115" />
        <source>%1 mm³ (%2 mL)</source>
        <translation>%1 мм³ (%2 мл)</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="130" />
        <source>%1 ± %2</source>
        <translation>%1 ± %2</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="131" />
        <source>no voxels</source>
        <translation>нет вокселов</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="144" />
        <source>Models</source>
        <translation>Модели</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="145" />
        <source>Model</source>
        <translation>Модель</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="145" />
        <source>Area, mm²</source>
        <translation>Площадь, мм²</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="145" />
        <location filename="../../measure/MeasureReport.cpp" line="211" />
        <source>Volume, mm³</source>
        <translation>Объём, мм³</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="146" />
        <source>Volume, mL</source>
        <translation>Объём, мл</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="146" />
        <source>Components</source>
        <translation>Компоненты</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="146" />
        <source>Surface</source>
        <translation>Поверхность</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="148" />
        <source>HU ± SD</source>
        <translation>HU ± СО</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="148" />
        <source>HU p95</source>
        <translation>HU p95</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="155" />
        <source>not measured: %1</source>
        <translation>не измерена: %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="182" />
        <source>the spine in the CT</source>
        <translation>позвоночнику на КТ</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="184" />
        <source>the body's outline in the CT</source>
        <translation>контуру тела на КТ</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="186" />
        <source>the spine's model</source>
        <translation>модели позвоночника</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="188" />
        <source>the paired organs</source>
        <translation>парным органам</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="190" />
        <source>the centre of the scan</source>
        <translation>центру снимка</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="201" />
        <source>Sides not checked: neither a CT nor paired organs show the body's midline.</source>
        <translation>Стороны не проверены: ни КТ, ни парные органы не показывают среднюю линию тела.</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="203" />
        <source>Sides checked against the body's midline at x = %1, from %2.</source>
        <translation>Стороны проверены по средней линии тела при x = %1, найденной по %2.</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="211" />
        <source>Stone</source>
        <translation>Камень</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="211" />
        <source>Largest diameter, mm</source>
        <translation>Наибольший диаметр, мм</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="212" />
        <source>Centre, mm</source>
        <translation>Центр, мм</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="216" />
        <source>HU mean</source>
        <translation>HU среднее</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="216" />
        <source>HU max</source>
        <translation>HU макс.</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="232" />
        <source>Stones: %1; in all %2</source>
        <translation>Камней: %1; всего %2</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="234" />
        <source> (not closed, without volume: %1)</source>
        <translation> (не замкнуты, без объёма: %1)</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="237" />
        <source>; the largest #%1, %2 across</source>
        <translation>; наибольший №%1, поперечник %2</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="247" />
        <source>touching</source>
        <translation>касаются</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="249" />
        <source>overlapping</source>
        <translation>перекрываются</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="254" />
        <source>inside %1</source>
        <translation>внутри %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="256" />
        <source>holds %1</source>
        <translation>содержит %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="263" />
        <source>no triangles to measure</source>
        <translation>нет треугольников для измерения</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="272" />
        <source>Gaps</source>
        <translation>Расстояния</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="273" />
        <location filename="../../measure/MeasureReport.cpp" line="312" />
        <location filename="../../measure/MeasureReport.cpp" line="355" />
        <source>From</source>
        <translation>От</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="273" />
        <source>To</source>
        <translation>До</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="273" />
        <source>Gap, mm</source>
        <translation>Расстояние, мм</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="273" />
        <source>Note</source>
        <translation>Примечание</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="311" />
        <source>R.E.N.A.L. nephrometry of %1</source>
        <translation>Нефрометрия R.E.N.A.L. для %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="312" />
        <location filename="../../measure/MeasureReport.cpp" line="355" />
        <source>Part</source>
        <translation>Составляющая</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="312" />
        <location filename="../../measure/MeasureReport.cpp" line="355" />
        <source>Score</source>
        <translation>Баллы</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="313" />
        <source>R: radius</source>
        <translation>R: радиус</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="315" />
        <source>largest diameter %1</source>
        <translation>наибольший диаметр %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="316" />
        <source>no surface</source>
        <translation>нет поверхности</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="318" />
        <source>E: exophytic</source>
        <translation>E: экзофитность</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="319" />
        <source>estimate: %1 of the volume outside the convex hull of %2</source>
        <translation>оценка: %1 объёма вне выпуклой оболочки %2</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="321" />
        <source>needs a closed tumour and a kidney</source>
        <translation>нужны замкнутая опухоль и почка</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="323" />
        <source>N: nearness</source>
        <translation>N: близость</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="324" />
        <source>gap %1 to %2</source>
        <translation>расстояние %1 до %2</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="327" />
        <source>needs a collecting system</source>
        <translation>нужна чашечно-лоханочная система</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="328" />
        <source>A: anterior or posterior</source>
        <translation>A: передняя или задняя</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="291" />
        <location filename="../../measure/MeasureReport.cpp" line="330" />
        <location filename="../../measure/MeasureReport.cpp" line="332" />
        <source>entered</source>
        <translation>введено</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="291" />
        <location filename="../../measure/MeasureReport.cpp" line="330" />
        <location filename="../../measure/MeasureReport.cpp" line="332" />
        <source>to be entered</source>
        <translation>нужно ввести</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="331" />
        <source>L: location to the polar lines</source>
        <translation>L: положение относительно полярных линий</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="340" />
        <source>R.E.N.A.L. score %1%2</source>
        <translation>Оценка R.E.N.A.L.: %1%2</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="300" />
        <source>Sum so far %1 (%2); missing %3</source>
        <translation>Сумма пока %1 (%2); не хватает %3</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="354" />
        <source>S.T.O.N.E. nephrolithometry of %1</source>
        <translation>Нефролитометрия S.T.O.N.E. для %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="357" />
        <source>S: stone size</source>
        <translation>S: размер камней</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="358" />
        <source>%1 in all, each stone its length × width</source>
        <translation>%1 всего, каждый камень — длина × ширина</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="359" />
        <source>no stones</source>
        <translation>нет камней</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="360" />
        <source>T: tract length</source>
        <translation>T: длина хода</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="361" />
        <source>gap %1 from #%2 (the largest stone) to %3</source>
        <translation>расстояние %1 от №%2 (наибольшего камня) до %3</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="365" />
        <source>needs a skin model</source>
        <translation>нужна модель кожи</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="366" />
        <source>O: obstruction</source>
        <translation>O: обструкция</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="368" />
        <source>N: number of involved calyces</source>
        <translation>N: число вовлечённых чашечек</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="370" />
        <source>E: essence (stone density)</source>
        <translation>E: плотность камня</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="371" />
        <source>mean %1 HU of #%2, the densest stone</source>
        <translation>среднее %1 HU у №%2, самого плотного камня</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="374" />
        <source>needs a CT image</source>
        <translation>нужно изображение КТ</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="382" />
        <source>S.T.O.N.E. score %1</source>
        <translation>Оценка S.T.O.N.E.: %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="394" />
        <source>no voxel of the image lies inside the surface</source>
        <translation>ни один воксел изображения не лежит внутри поверхности</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="395" />
        <source>mean %1, SD %2, min %3, max %4, 95th percentile %5 (%6 voxels)</source>
        <translation>среднее %1, СО %2, мин. %3, макс. %4, 95-й процентиль %5 (%6 вокселов)</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="405" />
        <source>Not measured: %1</source>
        <translation>Не измерена: %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="407" />
        <source>Surface area = %1</source>
        <translation>Площадь поверхности = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="408" />
        <source>Closed = %1</source>
        <translation>Замкнута = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="409" />
        <source>Manifold = %1</source>
        <translation>Многообразие = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="410" />
        <source>Consistently oriented = %1</source>
        <translation>Согласованно ориентирована = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="412" />
        <source>Self-intersecting = %1</source>
        <translation>Самопересекается = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="415" />
        <source>Volume = %1</source>
        <translation>Объём = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="417" />
        <source>The surface was inside out (its triangles faced inwards)</source>
        <translation>Поверхность была вывернута (треугольники смотрели внутрь)</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="419" />
        <source>Volume: %1 (%2 border edges, %3 non-manifold edges)</source>
        <translation>Объём: %1 (граничных рёбер: %2, неманифолдных рёбер: %3)</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="425" />
        <source>Voxel volume of the label = %1</source>
        <translation>Объём вокселей метки = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="427" />
        <source>Side = %1</source>
        <translation>Сторона = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="428" />
        <source>left</source>
        <translation>левая</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="428" />
        <source>right</source>
        <translation>правая</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="430" />
        <source>Warning: %1</source>
        <translation>Предупреждение: %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="433" />
        <source>Code (%1) = %2 %3 %4</source>
        <translation>Код (%1) = %2 %3 %4</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="438" />
        <source>HU inside = %1</source>
        <translation>HU внутри = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="439" />
        <source>Connected components = %1</source>
        <translation>Связных компонент = %1</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="441" />
        <source>Extents = %1 x %2 x %3 mm</source>
        <translation>Размеры = %1 x %2 x %3 мм</translation>
    </message>
    <message>
        <location filename="../../measure/MeasureReport.cpp" line="444" />
        <source>Largest diameter = %1</source>
        <translation>Наибольший диаметр = %1</translation>
    </message>
    <message>
        <location filename="../../measure/ModelSurface.cpp" line="76" />
        <source>its cells name vertices it does not have</source>
        <translation>её ячейки ссылаются на несуществующие вершины</translation>
    </message>
    <message>
        <location filename="../../measure/ModelSurface.cpp" line="80" />
        <source>some coordinates are not numbers</source>
        <translation>некоторые координаты не являются числами</translation>
    </message>
    <message>
        <location filename="../../measure/SideCheck.cpp" line="81" />
        <source>%1 is named left but lies on the patient's right of the body's midline.</source>
        <translation>Модель %1 названа левой, но лежит справа от средней линии тела пациента.</translation>
    </message>
    <message>
        <location filename="../../measure/SideCheck.cpp" line="83" />
        <source>%1 is named right but lies on the patient's left of the body's midline.</source>
        <translation>Модель %1 названа правой, но лежит слева от средней линии тела пациента.</translation>
    </message>
</context>
<context>
    <name>MeasurementsControl</name>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="115" />
        <source>Measurements</source>
        <translation>Измерения</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="137" />
        <source>Measure again</source>
        <translation>Измерить снова</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="139" />
        <source>Copy tables</source>
        <translation>Копировать таблицы</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="141" />
        <source>Clear mark</source>
        <translation>Убрать отметку</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="165" />
        <source>R.E.N.A.L. nephrometry</source>
        <translation>Нефрометрия R.E.N.A.L.</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="175" />
        <source>a: anterior</source>
        <translation>a: передняя</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="175" />
        <source>p: posterior</source>
        <translation>p: задняя</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="175" />
        <source>x: neither</source>
        <translation>x: ни та, ни другая</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="178" />
        <source>1: wholly above or below a polar line</source>
        <translation>1: целиком выше или ниже полярной линии</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="179" />
        <source>2: crosses a polar line</source>
        <translation>2: пересекает полярную линию</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="180" />
        <source>3: half or more across a polar line, across the midline, or wholly between the polar lines</source>
        <translation>3: половина и более за полярной линией, через срединную линию или целиком между полярными линиями</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="191" />
        <source>A:</source>
        <translation>A:</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="195" />
        <source>L:</source>
        <translation>L:</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="211" />
        <source>Models</source>
        <translation>Модели</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="214" />
        <source>Stones</source>
        <translation>Камни</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="217" />
        <source>Gaps</source>
        <translation>Расстояния</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="230" />
        <source>S.T.O.N.E. nephrolithometry</source>
        <translation>Нефролитометрия S.T.O.N.E.</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="240" />
        <source>1: none or mild</source>
        <translation>1: нет или лёгкая</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="240" />
        <source>2: moderate or severe</source>
        <translation>2: умеренная или выраженная</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="243" />
        <source>1: one or two calyces</source>
        <translation>1: одна или две чашечки</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="244" />
        <source>2: three calyces</source>
        <translation>2: три чашечки</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="244" />
        <source>3: staghorn</source>
        <translation>3: коралловидный камень</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="249" />
        <source>O:</source>
        <translation>O:</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="251" />
        <source>N:</source>
        <translation>N:</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="299" />
        <source>Measuring...</source>
        <translation>Измерение...</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="362" />
        <location filename="../panels/MeasurementsControl.cpp" line="402" />
        <source>No stones model is loaded.</source>
        <translation>Модель камней не загружена.</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="438" />
        <source>No tumour model is loaded.</source>
        <translation>Модель опухоли не загружена.</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="474" />
        <location filename="../panels/MeasurementsControl.cpp" line="494" />
        <source>%1 #%2</source>
        <translation>%1 №%2</translation>
    </message>
    <message>
        <location filename="../panels/MeasurementsControl.cpp" line="475" />
        <source>Stone %1 #%2: centre %3 mm, %4 across</source>
        <translation>Камень %1 №%2: центр %3 мм, поперечник %4</translation>
    </message>
</context>
<context>
    <name>ModelClass</name>
    <message>
        <location filename="../../formats/LoadPipeline.cpp" line="18" />
        <source>Unknown error open file.</source>
        <translation>Неизвестная ошибка открытия файла.</translation>
    </message>
    <message>
        <location filename="../../formats/LoadPipeline.cpp" line="20" />
        <source>Error opening file.</source>
        <translation>Ошибка открытия файла.</translation>
    </message>
    <message>
        <location filename="../../formats/LoadPipeline.cpp" line="22" />
        <source>Error filetype.</source>
        <translation>Неверный тип файла.</translation>
    </message>
    <message>
        <location filename="../../formats/LoadPipeline.cpp" line="24" />
        <source>Error: there is no memory.</source>
        <translation>Ошибка: недостаточно памяти.</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="358" />
        <source>; Mesh #%1</source>
        <translation>; Сетка №%1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="364" />
        <source>; %1-gon</source>
        <translation>; %1-угольник</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="364" />
        <location filename="../../model/ModelClass.cpp" line="369" />
        <source> # %1</source>
        <translation> № %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="366" />
        <source>; Tetrahedron</source>
        <translation>; Тетраэдр</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="366" />
        <source>; Pyramid</source>
        <translation>; Пирамида</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="366" />
        <source>; Triangleprizm</source>
        <translation>; Треугольная призма</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="367" />
        <source>; Hexahedron</source>
        <translation>; Гексаэдр</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="371" />
        <source>; pt=%1</source>
        <translation>; тип=%1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="371" />
        <source> pn=%1</source>
        <translation> номер=%1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="374" />
        <source>; Material # %1</source>
        <translation>; Материал № %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="380" />
        <source>; %1 = %2</source>
        <translation>; %1 = %2</translation>
    </message>
    <message>
        <location filename="../../model/Join.cpp" line="221" />
        <source>Joint model</source>
        <translation>Объединённая модель</translation>
    </message>
    <message>
        <location filename="../../formats/LoadProblem.cpp" line="35" />
        <source>Vertex %1 is not a finite point (%2; %3; %4).</source>
        <translation>Вершина %1 не является конечной точкой (%2; %3; %4).</translation>
    </message>
    <message>
        <location filename="../../formats/LoadProblem.cpp" line="48" />
        <source>The file was shortened while it was read.</source>
        <translation>Файл был укорочен во время чтения.</translation>
    </message>
</context>
<context>
    <name>ObjectsControl</name>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="28" />
        <source>Objects</source>
        <translation>Объекты</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="38" />
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="83" />
        <source>Set active</source>
        <translation>Сделать активной</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="84" />
        <source>Show/Hide</source>
        <translation>Показать/скрыть</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="86" />
        <source>Change color</source>
        <translation>Изменить цвет</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="87" />
        <source>Change name</source>
        <translation>Переименовать</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="88" />
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="89" />
        <source>Join models</source>
        <translation>Объединить модели</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="381" />
        <source>Rename object</source>
        <translation>Переименование объекта</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="381" />
        <source>Enter new name</source>
        <translation>Введите новое имя</translation>
    </message>
</context>
<context>
    <name>OpacityControl</name>
    <message>
        <location filename="../panels/OpacityControl.cpp" line="17" />
        <source>Opacity</source>
        <translation>Непрозрачность</translation>
    </message>
</context>
<context>
    <name>Orientation</name>
    <message>
        <location filename="../../view/Orientation.cpp" line="29" />
        <source>L</source>
        <translation>Л</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="29" />
        <source>R</source>
        <translation>П</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="30" />
        <source>P</source>
        <translation>Зад</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="30" />
        <source>A</source>
        <translation>Пер</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="31" />
        <source>I</source>
        <translation>Низ</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="31" />
        <source>S</source>
        <translation>Вер</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="58" />
        <source>Anterior</source>
        <translation>Спереди</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="59" />
        <source>Posterior</source>
        <translation>Сзади</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="60" />
        <source>Left lateral</source>
        <translation>Слева</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="61" />
        <source>Right lateral</source>
        <translation>Справа</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="62" />
        <source>Superior</source>
        <translation>Сверху</translation>
    </message>
    <message>
        <location filename="../../view/Orientation.cpp" line="63" />
        <source>Inferior</source>
        <translation>Снизу</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <location filename="../../formats/OutputFile.cpp" line="36" />
        <source>the folder %1 lets only the owner of a file replace it</source>
        <translation>в папке %1 заменить файл может только его владелец</translation>
    </message>
    <message>
        <location filename="../../formats/OutputFile.cpp" line="40" />
        <source>the folder %1 cannot be written</source>
        <translation>в папку %1 нельзя записывать</translation>
    </message>
</context>
<context>
    <name>PointControl</name>
    <message>
        <location filename="../panels/PointControl.cpp" line="18" />
        <source>Point control</source>
        <translation>Правка точки</translation>
    </message>
    <message>
        <location filename="../panels/PointControl.cpp" line="28" />
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <location filename="../panels/PointControl.cpp" line="28" />
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <location filename="../panels/PointControl.cpp" line="28" />
        <source>Z:</source>
        <translation>Z:</translation>
    </message>
    <message>
        <location filename="../panels/PointControl.cpp" line="35" />
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
</context>
<context>
    <name>SceneClass</name>
    <message>
        <location filename="../../model/SceneClass.cpp" line="5" />
        <source>Scene</source>
        <translation>Сцена</translation>
    </message>
</context>
<context>
    <name>SelectionPage</name>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="14" />
        <source>By material selection</source>
        <translation>Выделение по материалам</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="14" />
        <source>Select all materials</source>
        <translation>Выделять все материалы</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="15" />
        <source>Select active material</source>
        <translation>Выделять активный материал</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="16" />
        <source>By points selection</source>
        <translation>Выделение по точкам</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="17" />
        <source>Select triangle, if all points are selected</source>
        <translation>Выделять треугольник, если выделены все его точки</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="18" />
        <source>Select triangle, if any point is selected</source>
        <translation>Выделять треугольник, если выделена любая его точка</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="19" />
        <source>By visible selection</source>
        <translation>Выделение по видимости</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="19" />
        <source>Select all primitives</source>
        <translation>Выделять все примитивы</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="20" />
        <source>Select visible primitives</source>
        <translation>Выделять видимые примитивы</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="22" />
        <source>Neighbours faces</source>
        <translation>Соседние грани</translation>
    </message>
    <message>
        <location filename="../preferences/SelectionPage.cpp" line="22" />
        <source>Finding neighbours on fly</source>
        <translation>Искать соседей на лету</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="39" />
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="45" />
        <source>must be a number</source>
        <translation>должно быть числом</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="48" />
        <source>must be from %1 to %2</source>
        <translation>должно быть от %1 до %2</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="55" />
        <source>must be true or false</source>
        <translation>должно быть true или false</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="62" />
        <source>must be a string</source>
        <translation>должно быть строкой</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="69" />
        <source>must be an object</source>
        <translation>должно быть объектом</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="76" />
        <source>must be a list</source>
        <translation>должно быть списком</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="86" />
        <source>must hold %1 numbers</source>
        <translation>должно содержать %1 чисел</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="102" />
        <source>must be one of %1</source>
        <translation>должно быть одним из: %1</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="121" />
        <source>must name a file</source>
        <translation>должно называть файл</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="133" />
        <source>must not be zero</source>
        <translation>не должно быть нулевым</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="152" />
        <source>must hold numbers from 0 to 255</source>
        <translation>должно содержать числа от 0 до 255</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="186" />
        <source>must look from its position to a different focal point, with view_up across the line of sight</source>
        <translation>должна смотреть из своего положения на другую точку фокуса, а view_up должен идти поперёк линии взгляда</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="266" />
        <location filename="../../formats/SessionFile.cpp" line="306" />
        <source>This is not a Tessaron session: it has no "tessaron_session" version.</source>
        <translation>Это не сеанс Tessaron: в нём нет версии "tessaron_session".</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="269" />
        <source>The session is of version %1; this Tessaron reads version %2.</source>
        <translation>Сеанс версии %1; этот Tessaron читает версию %2.</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="300" />
        <source>The session is not valid JSON: %1 at byte %2.</source>
        <translation>Сеанс не является правильным JSON: %1 в байте %2.</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="326" />
        <source>This is not a regular file, so it holds no session.</source>
        <translation>Это не обычный файл, поэтому в нём нет сеанса.</translation>
    </message>
    <message>
        <location filename="../../formats/SessionFile.cpp" line="335" />
        <source>The file is %1 bytes, more than any session holds.</source>
        <translation>Файл размером %1 байт, больше любого сеанса.</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="19" />
        <source>Saving settings</source>
        <translation>Сохранение</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="20" />
        <source>Save color as material (if possible)</source>
        <translation>Сохранять цвет как материал (если возможно)</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="21" />
        <source>Save material in OFF (if possible)</source>
        <translation>Сохранять материал в OFF (если возможно)</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="22" />
        <source>Use BSP-sort</source>
        <translation>Использовать BSP-сортировку</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="26" />
        <source>Intersection settings</source>
        <translation>Сечение</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="27" />
        <source>Construct only intersection plane</source>
        <translation>Строить только плоскость сечения</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="35" />
        <source>Join settings</source>
        <translation>Объединение</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="38" />
        <source>Join models in one zone without change material numbers</source>
        <translation>Объединять модели в одну зону, не меняя номера материалов</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="39" />
        <source>Join models in one zone with unique material numbers</source>
        <translation>Объединять модели в одну зону с уникальными номерами материалов</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="40" />
        <source>Join models in several zone without change material numbers</source>
        <translation>Объединять модели в несколько зон, не меняя номера материалов</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="51" />
        <source>Open settings</source>
        <translation>Открытие</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="52" />
        <source>Show only last model</source>
        <translation>Показывать только последнюю модель</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="53" />
        <source>Scale all models to screen</source>
        <translation>Вписывать все модели в экран</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="54" />
        <source>Autocentering opening model</source>
        <translation>Центрировать открываемую модель</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="55" />
        <source>Load materials as cell functions</source>
        <translation>Загружать материалы как функции ячеек</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="56" />
        <source>Copy transform matrix</source>
        <translation>Копировать матрицу преобразования</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="57" />
        <source>Hide opened models (when opening new one)</source>
        <translation>Скрывать открытые модели (при открытии новой)</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="64" />
        <source>Printing settings</source>
        <translation>Печать</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="65" />
        <source>Printing quality:</source>
        <translation>Качество печати:</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="72" />
        <source>Language settings</source>
        <translation>Язык</translation>
    </message>
    <message>
        <location filename="../preferences/SettingsPage.cpp" line="76" />
        <source>Interface language:</source>
        <translation>Язык интерфейса:</translation>
    </message>
</context>
<context>
    <name>SliceControl</name>
    <message>
        <location filename="../panels/SliceControl.cpp" line="107" />
        <source>Slice</source>
        <translation>Срез</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="111" />
        <source>No image is open.</source>
        <translation>Изображение не открыто.</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="137" />
        <source>Axial</source>
        <translation>Аксиальный</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="137" />
        <source>Coronal</source>
        <translation>Корональный</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="137" />
        <source>Sagittal</source>
        <translation>Сагиттальный</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="170" />
        <source>Shown in 3-D:</source>
        <translation>Показан в 3D:</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="179" />
        <source>Window</source>
        <translation>Окно</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="182" />
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="185" />
        <source>Soft tissue</source>
        <translation>Мягкие ткани</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="185" />
        <source>Bone</source>
        <translation>Кость</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="185" />
        <source>Stone</source>
        <translation>Камень</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="342" />
        <source>missing slice</source>
        <translation>пропущенный срез</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="353" />
        <source>missing slice  (%1, %2, %3) mm</source>
        <translation>пропущенный срез  (%1, %2, %3) мм</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="355" />
        <source>no value  (%1, %2, %3) mm</source>
        <translation>нет значения  (%1, %2, %3) мм</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="358" />
        <source>%1  (%2, %3, %4) mm</source>
        <translation>%1  (%2, %3, %4) мм</translation>
    </message>
    <message>
        <location filename="../panels/SliceControl.cpp" line="359" />
        <source>%1 %2  (%3, %4, %5) mm</source>
        <translation>%1 %2  (%3, %4, %5) мм</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <location filename="../Startup.cpp" line="51" />
        <source>usage: tessaron [--full-drawing] [FILE...]

Opens the named files as if they were dropped on the view (.surf surfaces,
.hx scenes, mesh files, label maps, CT images, DICOM files and folders of a
CT series, structure sets and segmentations, folders of masks) and frames
them; a .tsn planning session opens as it was saved. Without files, offers
to reopen the last file and opens the first .hx scene of the working folder.

options:
  --full-drawing  draws large models whole while they turn
  -h, --help      prints this help and exits
  --version       prints the version and exits
</source>
        <translation>использование: tessaron [--full-drawing] [ФАЙЛ...]

Открывает названные файлы, как если бы их бросили на вид (поверхности .surf,
сцены .hx, файлы сеток, карты меток, изображения КТ, файлы и папки DICOM
серии КТ, наборов структур и сегментаций, папки масок), и показывает их
целиком; сеанс планирования .tsn открывается таким, каким был сохранён.
Без файлов предлагает снова открыть последний файл и открывает первую
сцену .hx рабочей папки.

параметры:
  --full-drawing  рисует большие модели целиком и при вращении
  -h, --help      выводит эту справку и завершает работу
  --version       выводит версию и завершает работу
</translation>
    </message>
</context>
<context>
    <name>Stereo3DControl</name>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="17" />
        <source>Stereo 3D settings</source>
        <translation>Настройки стереоизображения</translation>
    </message>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="28" />
        <source>Invert R vs L</source>
        <translation>Поменять местами правый и левый</translation>
    </message>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="30" />
        <source>ortho</source>
        <translation>ортогональная</translation>
    </message>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="33" />
        <source>frustrum</source>
        <translation>перспективная</translation>
    </message>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="68" />
        <source>Eye X-diff</source>
        <translation>Разнос глаз по X</translation>
    </message>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="68" />
        <source>Near</source>
        <translation>Ближняя</translation>
    </message>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="69" />
        <source>Eye Z</source>
        <translation>Глаз по Z</translation>
    </message>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="69" />
        <source>Focus</source>
        <translation>Фокус</translation>
    </message>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="70" />
        <source>Focus Z</source>
        <translation>Фокус по Z</translation>
    </message>
    <message>
        <location filename="../panels/Stereo3DControl.cpp" line="70" />
        <source>Far</source>
        <translation>Дальняя</translation>
    </message>
</context>
<context>
    <name>StoneFinding</name>
    <message>
        <location filename="../StoneFinding.cpp" line="122" />
        <source>Open a CT to find stones in it.</source>
        <translation>Откройте КТ, чтобы найти на ней камни.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="126" />
        <source>Stones are found on a CT in Hounsfield units.</source>
        <translation>Камни ищутся на КТ в единицах Хаунсфилда.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="130" />
        <source>A stone search is still running.</source>
        <translation>Поиск камней ещё идёт.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="149" />
        <source>Finding stones in the box...</source>
        <translation>Поиск камней в области...</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="158" />
        <source>Finding stones within %1 mm of the kidneys, collecting systems and ureters...</source>
        <translation>Поиск камней в пределах %1 мм от почек, чашечно-лоханочных систем и мочеточников...</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="163" />
        <source>Finding stones in the whole image...</source>
        <translation>Поиск камней во всём изображении...</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="171" />
        <source>Not enough memory to find the stones.</source>
        <translation>Недостаточно памяти для поиска камней.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="191" />
        <source>Segmenting the stone at %1 mm...</source>
        <translation>Выделение камня в точке %1 мм...</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="193" />
        <source>Segmenting the stone...</source>
        <translation>Выделение камня...</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="201" />
        <source>Not enough memory to segment the stone.</source>
        <translation>Недостаточно памяти для выделения камня.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="220" />
        <source>No stone of %1 HU or more in the region.</source>
        <translation>В области нет камней плотностью %1 HU и более.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="221" />
        <source>Stones found: %1, %2 mm³ in all.</source>
        <translation>Найдено камней: %1, всего %2 мм³.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="225" />
        <source>Left out as too large for a stone: %1.</source>
        <translation>Пропущено как слишком большое для камня: %1.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="232" />
        <source>No stone here: no voxel of %1 HU or more within 3 mm, or only a region too large for a stone.</source>
        <translation>Здесь нет камня: в пределах 3 мм нет вокселей плотностью %1 HU и более или есть только область, слишком большая для камня.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="240" />
        <source>Stone #%1 is listed already.</source>
        <translation>Камень №%1 уже в списке.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="247" />
        <source>Stone #%1 picked: %2 mm³.</source>
        <translation>Выделен камень №%1: %2 мм³.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="304" />
        <source>Stone #%1: centre %2 mm, %3 mm³.</source>
        <translation>Камень №%1: центр %2 мм, %3 мм³.</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="339" />
        <source>Stone #%1</source>
        <translation>Камень №%1</translation>
    </message>
    <message>
        <location filename="../StoneFinding.cpp" line="340" />
        <source>Stone #%1 at %2 mm</source>
        <translation>Камень №%1 в точке %2 мм</translation>
    </message>
</context>
<context>
    <name>Stones</name>
    <message>
        <location filename="../../measure/StoneFinder.cpp" line="171" />
        <source>the box x %1, y %2, z %3 mm lies outside the image, which spans x %4, y %5, z %6 mm</source>
        <translation>область x %1, y %2, z %3 мм лежит вне изображения, которое занимает x %4, y %5, z %6 мм</translation>
    </message>
    <message>
        <location filename="../../measure/StoneFinder.cpp" line="183" />
        <source>the models given enclose no voxel of the image</source>
        <translation>указанные модели не содержат ни одного вокселя изображения</translation>
    </message>
    <message>
        <location filename="../../measure/StoneFinder.cpp" line="291" />
        <source>%1 mm long along the image's %2 axis: larger than any stone (bone, or contrast)</source>
        <translation>%1 мм в длину вдоль оси %2 изображения: больше любого камня (кость или контраст)</translation>
    </message>
    <message>
        <location filename="../../measure/StoneFinder.cpp" line="338" />
        <source>stones are found on a CT in Hounsfield units</source>
        <translation>камни ищутся на КТ в единицах Хаунсфилда</translation>
    </message>
</context>
<context>
    <name>StonesBox</name>
    <message>
        <location filename="../panels/StonesBox.cpp" line="73" />
        <source>Find Stones</source>
        <translation>Найти камни</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="75" />
        <source>Stone Pick</source>
        <translation>Выбор камня</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="78" />
        <source>A click on a bright spot of the slice segments that stone.</source>
        <translation>Щелчок по яркому пятну среза выделяет этот камень.</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="79" />
        <source>Box</source>
        <translation>Область</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="82" />
        <source>A drag on the slice sets the box a search stays in.</source>
        <translation>Протяжка по срезу задаёт область, в которой идёт поиск.</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="83" />
        <source>Clear Box</source>
        <translation>Убрать область</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="89" />
        <source> HU</source>
        <translation> HU</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="91" />
        <source>A stone's voxels are at or above this level.</source>
        <translation>Воксели камня не ниже этого уровня.</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="106" />
        <source>#</source>
        <translation>№</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="106" />
        <source>Volume, mm³</source>
        <translation>Объём, мм³</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="106" />
        <source>Diameters, mm</source>
        <translation>Диаметры, мм</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="107" />
        <source>Axial, mm</source>
        <translation>Аксиальный, мм</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="107" />
        <source>HU mean</source>
        <translation>HU средн.</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="107" />
        <source>HU peak</source>
        <translation>HU пик</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="108" />
        <source>Side</source>
        <translation>Сторона</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="108" />
        <source>Skin, mm</source>
        <translation>До кожи, мм</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="108" />
        <source>SWL skin, mm</source>
        <translation>До кожи (ДУВЛ), мм</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="137" />
        <source>Region: the box.</source>
        <translation>Область поиска: заданная область.</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="141" />
        <source>Region: within %1 mm of the kidneys, collecting systems and ureters.</source>
        <translation>Область поиска: в пределах %1 мм от почек, чашечно-лоханочных систем и мочеточников.</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="145" />
        <source>Region: the whole image, bone left out.</source>
        <translation>Область поиска: всё изображение, кроме костей.</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="159" />
        <source>left</source>
        <translation>левая</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="160" />
        <source>right</source>
        <translation>правая</translation>
    </message>
    <message>
        <location filename="../panels/StonesBox.cpp" line="164" />
        <source>%1 × %2 × %3</source>
        <translation>%1 × %2 × %3</translation>
    </message>
</context>
<context>
    <name>Tessaron</name>
    <message>
        <location filename="../FileCommands.cpp" line="83" />
        <source>This scene is already being opened; it is skipped.</source>
        <translation>Эта сцена уже открывается; она пропущена.</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="103" />
        <source>Loading file...</source>
        <translation>Загрузка файла...</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="156" />
        <source>Opening file</source>
        <translation>Открытие файла</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="158" />
        <source>Open File</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="150" />
        <source>All models(*surf *hx)</source>
        <translation>Все модели(*surf *hx)</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="149" />
        <source>Everything Tessaron opens (%1)</source>
        <translation>Всё, что открывает Tessaron (%1)</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="150" />
        <source>All files (*)</source>
        <translation>Все файлы (*)</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="185" />
        <source>Opening folder</source>
        <translation>Открытие папки</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="187" />
        <source>Open DICOM Folder</source>
        <translation>Открыть папку DICOM</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="216" />
        <source>Reopening file</source>
        <translation>Повторное открытие файла</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="261" />
        <source>There is no .hx files in this folder.</source>
        <translation>В этой папке нет файлов .hx.</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="319" />
        <source>Files of this kind are not read; the endings read are %1.</source>
        <translation>Файлы такого вида не читаются; читаются окончания %1.</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="336" />
        <source>%1 files of kinds that are not read were left out (%2); the endings read are %3.</source>
        <translation>Пропущено файлов видов, которые не читаются: %1 (%2); читаются окончания %3.</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="364" />
        <source>Saving file</source>
        <translation>Сохранение файла</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="366" />
        <source>Save file As...</source>
        <translation>Сохранить файл как...</translation>
    </message>
    <message>
        <location filename="../Settings.cpp" line="27" />
        <source>Load settings</source>
        <translation>Загрузка настроек</translation>
    </message>
    <message>
        <location filename="../Settings.cpp" line="66" />
        <source>Do you want reopen last file?</source>
        <translation>Открыть последний файл снова?</translation>
    </message>
    <message>
        <location filename="../Settings.cpp" line="107" />
        <source>Saving settings</source>
        <translation>Сохранение настроек</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="364" />
        <source>The &lt;b&gt;%1&lt;/b&gt; is 3d viewer.&lt;br/&gt;</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; — программа трёхмерного просмотра.&lt;br/&gt;</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="365" />
        <source>Current version %2&lt;br/&gt;</source>
        <translation>Текущая версия %2&lt;br/&gt;</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="366" />
        <source>Build #%1, build time %2&lt;br/&gt;</source>
        <translation>Сборка №%1, время сборки %2&lt;br/&gt;</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="367" />
        <source>Commit #%1, commit time %2&lt;br/&gt;</source>
        <translation>Коммит №%1, время коммита %2&lt;br/&gt;</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="368" />
        <source>Compiled in %3 %4.</source>
        <translation>Скомпилировано %3 %4.</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="369" />
        <source>About %1 v %2</source>
        <translation>О программе %1 v %2</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="53" />
        <location filename="../MeasureCommands.cpp" line="31" />
        <location filename="../MeasureCommands.cpp" line="46" />
        <location filename="../SessionCommands.cpp" line="109" />
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="61" />
        <source>Making the case sheet...</source>
        <translation>Составление листа случая...</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="81" />
        <source>Case sheet</source>
        <translation>Лист случая</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="81" />
        <source>Title of the sheet:</source>
        <translation>Заголовок листа:</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="87" />
        <source>Save the case sheet as</source>
        <translation>Сохранить лист случая как</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="88" />
        <source>PDF (%1)</source>
        <translation>PDF (%1)</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="97" />
        <location filename="../CaseSheetCommands.cpp" line="126" />
        <location filename="../CaseSheetCommands.cpp" line="159" />
        <location filename="../SessionCommands.cpp" line="68" />
        <location filename="../SessionCommands.cpp" line="118" />
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="103" />
        <source>The case sheet is written to %1</source>
        <translation>Лист случая записан в %1</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="112" />
        <source>Print case sheet</source>
        <translation>Печать листа случая</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="131" />
        <source>Export web page</source>
        <translation>Экспорт веб-страницы</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="132" />
        <source>Web page (%1)</source>
        <translation>Веб-страница (%1)</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="145" />
        <source>Writing the web page...</source>
        <translation>Запись веб-страницы...</translation>
    </message>
    <message>
        <location filename="../CaseSheetCommands.cpp" line="163" />
        <source>The web page is written to %1</source>
        <translation>Веб-страница записана в %1</translation>
    </message>
    <message>
        <location filename="../MeasureCommands.cpp" line="32" />
        <source>Select two models in the Objects tree to measure the closest gap between them.</source>
        <translation>Выберите две модели в дереве объектов, чтобы измерить кратчайшее расстояние между ними.</translation>
    </message>
    <message>
        <location filename="../MeasureCommands.cpp" line="47" />
        <source>%1 cannot be measured: %2</source>
        <translation>%1 нельзя измерить: %2</translation>
    </message>
    <message>
        <location filename="../MeasureCommands.cpp" line="49" />
        <source>it has no triangles</source>
        <translation>в ней нет треугольников</translation>
    </message>
    <message>
        <location filename="../MeasureCommands.cpp" line="53" />
        <source>Measuring the closest gap...</source>
        <translation>Измерение кратчайшего расстояния...</translation>
    </message>
    <message>
        <location filename="../LoadFailures.cpp" line="23" />
        <source>%1 more files could not be opened:</source>
        <translation>Не удалось открыть ещё файлов (%1):</translation>
    </message>
    <message>
        <location filename="../LoadFailures.cpp" line="28" />
        <source>... and %1 more.</source>
        <translation>... и ещё %1.</translation>
    </message>
    <message>
        <location filename="../../view/SettingsFile.cpp" line="60" />
        <source>No home folder: the settings are the defaults and are not saved.</source>
        <translation>Нет домашней папки: настройки по умолчанию, они не сохраняются.</translation>
    </message>
    <message>
        <location filename="../../view/SettingsFile.cpp" line="67" />
        <source>%1 is not a regular file: the settings are the defaults and are not saved.</source>
        <translation>%1 не является обычным файлом: настройки по умолчанию, они не сохраняются.</translation>
    </message>
    <message>
        <location filename="../../view/SettingsFile.cpp" line="83" />
        <source>The settings could not be saved to %1.</source>
        <translation>Не удалось сохранить настройки в %1.</translation>
    </message>
    <message>
        <location filename="../ImportCommands.cpp" line="74" />
        <source>Importable files (%1)</source>
        <translation>Импортируемые файлы (%1)</translation>
    </message>
    <message>
        <location filename="../ImportCommands.cpp" line="79" />
        <source>Importing file</source>
        <translation>Импорт файла</translation>
    </message>
    <message>
        <location filename="../ImportCommands.cpp" line="41" />
        <location filename="../ImportCommands.cpp" line="81" />
        <location filename="../ImportCommands.cpp" line="101" />
        <source>Import</source>
        <translation>Импорт</translation>
    </message>
    <message>
        <location filename="../ImportCommands.cpp" line="32" />
        <source>%1. %2, %3 images of %4 × %5: %6</source>
        <translation>%1. %2, %3 изображений %4 × %5: %6</translation>
    </message>
    <message>
        <location filename="../ImportCommands.cpp" line="34" />
        <source>no modality</source>
        <translation>модальность не указана</translation>
    </message>
    <message>
        <location filename="../ImportCommands.cpp" line="42" />
        <source>The path holds %1 series. Open which one?</source>
        <translation>По этому пути %1 серий. Какую открыть?</translation>
    </message>
    <message>
        <location filename="../ImportCommands.cpp" line="68" />
        <source>Image %1 of %2 voxels</source>
        <translation>Изображение %1 из %2 вокселов</translation>
    </message>
    <message>
        <location filename="../ImportCommands.cpp" line="97" />
        <source>Importing %1...</source>
        <translation>Импорт %1...</translation>
    </message>
    <message>
        <location filename="../ImportCommands.cpp" line="111" />
        <source>Reading %1...</source>
        <translation>Чтение %1...</translation>
    </message>
    <message>
        <location filename="../PanelsMenu.cpp" line="88" />
        <source>The panel "%1" has nothing to show for the current model.</source>
        <translation>Панели «%1» нечего показать для текущей модели.</translation>
    </message>
    <message>
        <location filename="../Startup.cpp" line="83" />
        <source>All menus and panels: %1 ▸ %2 (%3)</source>
        <translation>Все меню и панели: %1 ▸ %2 (%3)</translation>
    </message>
    <message>
        <location filename="../SliceCommands.cpp" line="108" />
        <source>Image closed</source>
        <translation>Изображение закрыто</translation>
    </message>
    <message>
        <location filename="../SessionCommands.cpp" line="30" />
        <source>Sessions (*%1)</source>
        <translation>Сеансы (*%1)</translation>
    </message>
    <message>
        <location filename="../SessionCommands.cpp" line="94" />
        <source>Save Session</source>
        <translation>Сохранить сеанс</translation>
    </message>
    <message>
        <location filename="../SessionCommands.cpp" line="110" />
        <source>There is nothing to save: a session holds models and an image that were opened from files.</source>
        <translation>Сохранять нечего: сеанс хранит модели и изображение, открытые из файлов.</translation>
    </message>
    <message>
        <location filename="../SessionCommands.cpp" line="127" />
        <source>These models were made in the window and have no file, so the session does not hold them; save them and save the session again: %1</source>
        <translation>Эти модели созданы в окне и не имеют файла, поэтому сеанс их не хранит; сохраните их и сохраните сеанс снова: %1</translation>
    </message>
    <message>
        <location filename="../SessionCommands.cpp" line="135" />
        <source>Open Session</source>
        <translation>Открыть сеанс</translation>
    </message>
    <message>
        <location filename="../SessionCommands.cpp" line="159" />
        <source>Opening session %1...</source>
        <translation>Открывается сеанс %1...</translation>
    </message>
</context>
<context>
    <name>ViewCommands</name>
    <message>
        <location filename="../../view/Measurements.cpp" line="93" />
        <source>Measuring...</source>
        <translation>Измерение...</translation>
    </message>
    <message>
        <location filename="../../view/Measurements.cpp" line="99" />
        <source>Measures:</source>
        <translation>Измерения:</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="69" />
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="69" />
        <source>There is no selected elements.</source>
        <translation>Нет выделенных элементов.</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="114" />
        <source>Splice vertices</source>
        <translation>Склеить вершины</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="114" />
        <source>Input Eps:</source>
        <translation>Введите точность Eps:</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="162" />
        <location filename="../../view/ViewModes.cpp" line="196" />
        <source>Building model...</source>
        <translation>Построение модели...</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="224" />
        <source>Change Materil Number</source>
        <translation>Изменение номера материала</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="225" />
        <source>Input new material number:</source>
        <translation>Введите новый номер материала:</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <location filename="../../formats/WebPageWriter.cpp" line="120" />
        <source>Opacity of %1</source>
        <translation>Непрозрачность: %1</translation>
    </message>
    <message>
        <location filename="../../formats/WebPageWriter.cpp" line="136" />
        <source>Measurements</source>
        <translation>Измерения</translation>
    </message>
    <message>
        <location filename="../../formats/WebPageWriter.cpp" line="178" />
        <source>The plan has more than %1 triangles: every large surface is shown in reduced form (%2 triangles in all).</source>
        <translation>В плане больше %1 треугольников: крупные поверхности показаны в упрощённом виде (всего %2 треугольников).</translation>
    </message>
    <message>
        <location filename="../../formats/WebPageWriter.cpp" line="207" />
        <source>en</source>
        <translation>ru</translation>
    </message>
    <message>
        <location filename="../../formats/WebPageWriter.cpp" line="211" />
        <source>3-D view of the plan</source>
        <translation>Трёхмерный вид плана</translation>
    </message>
    <message>
        <location filename="../../formats/WebPageWriter.cpp" line="212" />
        <source>Reset view</source>
        <translation>Исходный вид</translation>
    </message>
    <message>
        <location filename="../../formats/WebPageWriter.cpp" line="213" />
        <source>Models</source>
        <translation>Модели</translation>
    </message>
    <message>
        <location filename="../../formats/WebPageWriter.cpp" line="236" />
        <source>this build of Tessaron carries no 3-D library for web pages (scripts/install-deps.sh installs it; then build again)</source>
        <translation>в этой сборке Tessaron нет трёхмерной библиотеки для веб-страниц (её устанавливает scripts/install-deps.sh; затем соберите программу заново)</translation>
    </message>
</context>
</TS>