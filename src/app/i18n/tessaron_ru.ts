<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ru_RU">
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
        <location filename="../preferences/ConfigDialog.cpp" line="46" />
        <source>Config Dialog</source>
        <translation>Параметры программы</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="51" />
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="52" />
        <source>Reload</source>
        <translation>Перечитать</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="54" />
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="55" />
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="84" />
        <source>Draw</source>
        <translation>Отображение</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="85" />
        <source>Selection</source>
        <translation>Выделение</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="86" />
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="87" />
        <source>Colors</source>
        <translation>Цвета</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="236" />
        <source>Attention</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigDialog.cpp" line="236" />
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
        <location filename="../preferences/ConfigurationPage.cpp" line="35" />
        <source>Selected points thickness:</source>
        <translation>Толщина выделенных точек:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="36" />
        <source>Edges thickness:</source>
        <translation>Толщина рёбер:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="37" />
        <source>Boundary edges thickness:</source>
        <translation>Толщина граничных рёбер:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="38" />
        <source>Axis thickness:</source>
        <translation>Толщина осей:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="39" />
        <source>Isolines width:</source>
        <translation>Толщина изолиний:</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="46" />
        <source>Isolines settings</source>
        <translation>Изолинии</translation>
    </message>
    <message>
        <location filename="../preferences/ConfigurationPage.cpp" line="51" />
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
        <location filename="../panels/FunctionControl.cpp" line="222" />
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
        <location filename="../../view/Export.cpp" line="155" />
        <source>JPG - JPEG(*.jpg *.jpeg);;PNG - portable network graphics(*.png);;BMP - Bitmap Picture(*.bmp);;SVG - Scalable Vector Graphics(*.svg);;PDF - Portable Document Format (*.pdf);;PS - PostScript(*.ps);;EPS - Encapsulated PostScript(*.eps);;</source>
        <translation>JPG - JPEG(*.jpg *.jpeg);;PNG - переносимая сетевая графика(*.png);;BMP - точечный рисунок(*.bmp);;SVG - масштабируемая векторная графика(*.svg);;PDF - переносимый формат документов (*.pdf);;PS - PostScript(*.ps);;EPS - инкапсулированный PostScript(*.eps);;</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="159" />
        <source>Save image As...</source>
        <translation>Сохранить изображение как...</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="163" />
        <source>The image could not be saved.</source>
        <translation>Не удалось сохранить изображение.</translation>
    </message>
    <message>
        <location filename="../../view/GLWidget.cpp" line="238" />
        <source>X in [%1;%2]; Y in [%3;%4]; Z in [%5;%6]</source>
        <translation>X в [%1;%2]; Y в [%3;%4]; Z в [%5;%6]</translation>
    </message>
    <message>
        <location filename="../../view/GLWidget.cpp" line="254" />
        <source>; Point: (%1;%2;%3); (Zone number=%4; Vertex number=%5)</source>
        <translation>; Точка: (%1;%2;%3); (номер зоны=%4; номер вершины=%5)</translation>
    </message>
    <message>
        <location filename="../../view/GLWidget.cpp" line="262" />
        <source>; %1 = %2</source>
        <translation>; %1 = %2</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="77" />
        <source>Drawing...</source>
        <translation>Отображение...</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="140" />
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="140" />
        <source>There is no selected elements.</source>
        <translation>Нет выделенных элементов.</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="185" />
        <source>Splice vertices</source>
        <translation>Склеить вершины</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="185" />
        <source>Input Eps:</source>
        <translation>Введите точность Eps:</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="238" />
        <location filename="../../view/ViewModes.cpp" line="210" />
        <source>Building model...</source>
        <translation>Построение модели...</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="299" />
        <source>Change Materil Number</source>
        <translation>Изменение номера материала</translation>
    </message>
    <message>
        <location filename="../../view/ModelCommands.cpp" line="300" />
        <source>Input new material number:</source>
        <translation>Введите новый номер материала:</translation>
    </message>
    <message>
        <location filename="../../view/ModelLoad.cpp" line="17" />
        <source>Preparing data for draw...</source>
        <translation>Подготовка данных для отображения...</translation>
    </message>
    <message>
        <location filename="../../view/ModelSave.cpp" line="28" />
        <source>The model was not saved: its cells name vertices it does not have.</source>
        <translation>Модель не сохранена: её ячейки ссылаются на несуществующие вершины.</translation>
    </message>
    <message>
        <location filename="../../view/Export.cpp" line="162" />
        <location filename="../../view/ModelSave.cpp" line="30" />
        <source>Error</source>
        <translation>Ошибка</translation>
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
    <name>IntersectControl</name>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="56" />
        <source>Intersection</source>
        <translation>Сечение</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="64" />
        <source>Point:</source>
        <translation>Точка:</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="66" />
        <source>Normal:</source>
        <translation>Нормаль:</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="68" />
        <source>LoadFromSel</source>
        <translation>Из выбранной точки</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="69" />
        <source>Smooth Intersection</source>
        <translation>Гладкое сечение</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="71" />
        <source>Draw clipping rectangle</source>
        <translation>Показать секущую плоскость</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="73" />
        <source>Include intersected primitives</source>
        <translation>Включать пересечённые элементы</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="74" />
        <source>Invert normal</source>
        <translation>Обратить нормаль</translation>
    </message>
    <message>
        <location filename="../panels/IntersectControl.cpp" line="75" />
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
    <name>MainWindow</name>
    <message>
        <location filename="../Tessaron.cpp" line="92" />
        <source>Tessaron v1.1.256</source>
        <translation>Tessaron v1.1.256</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="171" />
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="172" />
        <source>SaveAs</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="173" />
        <source>Recent files...</source>
        <translation>Последние файлы...</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="174" />
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="175" />
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="176" />
        <source>Panels</source>
        <translation>Панели</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="177" />
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="178" />
        <source>Clone model</source>
        <translation>Копия модели</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="179" />
        <source>Operations</source>
        <translation>Операции</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="183" />
        <source>Light</source>
        <translation>Освещение</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="184" />
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
        <location filename="../ActionTable.cpp" line="16" />
        <source>Open...</source>
        <translation>Открыть...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="18" />
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="20" />
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="22" />
        <source>Clear list</source>
        <translation>Очистить список</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="24" />
        <source>Save As .MESH...</source>
        <translation>Сохранить как .MESH...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="26" />
        <source>Save As .OFF...</source>
        <translation>Сохранить как .OFF...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="28" />
        <source>Save As .VTK...</source>
        <translation>Сохранить как .VTK...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="30" />
        <source>Save As .OBJ...</source>
        <translation>Сохранить как .OBJ...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="32" />
        <source>Save As .PLY...</source>
        <translation>Сохранить как .PLY...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="34" />
        <source>Save As .DAT...</source>
        <translation>Сохранить как .DAT...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="36" />
        <source>Save As Image</source>
        <translation>Сохранить как изображение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="38" />
        <source>Save As binary .STL...</source>
        <translation>Сохранить как двоичный .STL...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="40" />
        <source>Save As text .STL...</source>
        <translation>Сохранить как текстовый .STL...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="42" />
        <source>Save As Star CD...</source>
        <translation>Сохранить как Star CD...</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="44" />
        <source>Print</source>
        <translation>Печать</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="46" />
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="48" />
        <source>Model Info</source>
        <translation>Сведения о модели</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="50" />
        <source>Preferences</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="52" />
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="54" />
        <source>View Points</source>
        <translation>Показать точки</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="56" />
        <source>View Edges</source>
        <translation>Показать рёбра</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="58" />
        <location filename="../ActionTable.cpp" line="66" />
        <source>View Faces</source>
        <translation>Показать грани</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="60" />
        <source>View Vertices</source>
        <translation>Показать вершины</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="62" />
        <source>View contour edges</source>
        <translation>Контурные рёбра</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="64" />
        <source>View surface edges</source>
        <translation>Рёбра поверхности</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="68" />
        <source>View Surface</source>
        <translation>Показать поверхность</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="70" />
        <source>Black-and-white mode</source>
        <translation>Чёрно-белый режим</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="72" />
        <source>Material</source>
        <translation>Материалы</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="74" />
        <source>Functions</source>
        <translation>Функции</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="76" />
        <source>View Isosurfaces</source>
        <translation>Изоповерхности</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="78" />
        <source>View Intersect</source>
        <translation>Сечение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="80" />
        <source>View Color Lines</source>
        <translation>Цветные изолинии</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="82" />
        <source>View BoundingBox</source>
        <translation>Ограничивающий параллелепипед</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="84" />
        <source>View Inner Edges</source>
        <translation>Внутренние рёбра</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="86" />
        <source>Transparent Mode</source>
        <translation>Прозрачность</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="88" />
        <source>Show Axes</source>
        <translation>Показать оси</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="90" />
        <source>Start Position</source>
        <translation>Исходное положение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="92" />
        <source>Rescale to screen</source>
        <translation>Вписать в экран</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="94" />
        <source>Move Center</source>
        <translation>Переместить центр</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="96" />
        <source>Rotate to X</source>
        <translation>Повернуть вокруг X</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="98" />
        <source>Rotate to Y</source>
        <translation>Повернуть вокруг Y</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="100" />
        <source>Rotate to Z</source>
        <translation>Повернуть вокруг Z</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="102" />
        <source>Set Plane XY</source>
        <translation>Плоскость XY</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="104" />
        <source>Set Plane XZ</source>
        <translation>Плоскость XZ</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="106" />
        <source>Set Plane YZ</source>
        <translation>Плоскость YZ</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="108" />
        <source>Zoom in</source>
        <translation>Увеличить</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="110" />
        <source>Zoom out</source>
        <translation>Уменьшить</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="112" />
        <source>Show in 3D-Stereo</source>
        <translation>Стереоизображение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="114" />
        <source>Show in FullScreen</source>
        <translation>Во весь экран</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="116" />
        <source>Change Background Color</source>
        <translation>Цвет фона</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="118" />
        <source>Show Ruler</source>
        <translation>Линейка</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="120" />
        <source>Splice vertices</source>
        <translation>Склеить вершины</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="122" />
        <source>Mass Select</source>
        <translation>Выделение рамкой</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="124" />
        <source>Multi select</source>
        <translation>Множественный выбор</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="126" />
        <source>Clear selection</source>
        <translation>Снять выделение</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="128" />
        <source>Edit selection</source>
        <translation>Изменить материал выделения</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="130" />
        <source>Edit Point</source>
        <translation>Изменить точку</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="132" />
        <source>Fill material zeros</source>
        <translation>Заполнить материалы нулями</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="134" />
        <source>Find border Edges</source>
        <translation>Найти граничные рёбра</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="136" />
        <source>Find border material Edges</source>
        <translation>Найти границы материала</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="139" />
        <source>Centering all models by selected point</source>
        <translation>Центрировать все модели по выбранной точке</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="142" />
        <source>Transfrom all models as active model</source>
        <translation>Преобразовать все модели как активную</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="144" />
        <source>Get full clone of active model</source>
        <translation>Полная копия активной модели</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="147" />
        <source>Clone selection into new model</source>
        <translation>Выделение в новую модель</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="150" />
        <source>Clone visible primitives into new model</source>
        <translation>Видимые примитивы в новую модель</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="153" />
        <source>Convert cell functionts to vert.functions</source>
        <translation>Функции ячеек в функции вершин</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="155" />
        <source>Create surface of model</source>
        <translation>Построить поверхность модели</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="157" />
        <source>Topology Merge Vertices</source>
        <translation>Слияние вершин топологии</translation>
    </message>
    <message>
        <location filename="../ActionTable.cpp" line="159" />
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
    <name>ModelClass</name>
    <message>
        <location filename="../../formats/LoadPipeline.cpp" line="27" />
        <source>Unknown error open file.</source>
        <translation>Неизвестная ошибка открытия файла.</translation>
    </message>
    <message>
        <location filename="../../formats/LoadPipeline.cpp" line="29" />
        <source>Error opening file.</source>
        <translation>Ошибка открытия файла.</translation>
    </message>
    <message>
        <location filename="../../formats/LoadPipeline.cpp" line="31" />
        <source>Error filetype.</source>
        <translation>Неверный тип файла.</translation>
    </message>
    <message>
        <location filename="../../formats/LoadPipeline.cpp" line="33" />
        <source>Error: there is no memory.</source>
        <translation>Ошибка: недостаточно памяти.</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="351" />
        <source>; Mesh #%1</source>
        <translation>; Сетка №%1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="357" />
        <source>; %1-gon</source>
        <translation>; %1-угольник</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="357" />
        <location filename="../../model/ModelClass.cpp" line="362" />
        <source> # %1</source>
        <translation> № %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="359" />
        <source>; Tetrahedron</source>
        <translation>; Тетраэдр</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="359" />
        <source>; Pyramid</source>
        <translation>; Пирамида</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="359" />
        <source>; Triangleprizm</source>
        <translation>; Треугольная призма</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="360" />
        <source>; Hexahedron</source>
        <translation>; Гексаэдр</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="364" />
        <source>; pt=%1</source>
        <translation>; тип=%1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="364" />
        <source> pn=%1</source>
        <translation> номер=%1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="367" />
        <source>; Material # %1</source>
        <translation>; Материал № %1</translation>
    </message>
    <message>
        <location filename="../../model/ModelClass.cpp" line="373" />
        <source>; %1 = %2</source>
        <translation>; %1 = %2</translation>
    </message>
    <message>
        <location filename="../../model/Join.cpp" line="220" />
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
        <location filename="../panels/ObjectsControl.cpp" line="27" />
        <source>Objects</source>
        <translation>Объекты</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="37" />
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="77" />
        <source>Set active</source>
        <translation>Сделать активной</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="78" />
        <source>Show/Hide</source>
        <translation>Показать/скрыть</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="80" />
        <source>Change color</source>
        <translation>Изменить цвет</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="81" />
        <source>Change name</source>
        <translation>Переименовать</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="82" />
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="83" />
        <source>Join models</source>
        <translation>Объединить модели</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="361" />
        <source>Rename object</source>
        <translation>Переименование объекта</translation>
    </message>
    <message>
        <location filename="../panels/ObjectsControl.cpp" line="361" />
        <source>Enter new name</source>
        <translation>Введите новое имя</translation>
    </message>
</context>
<context>
    <name>OpacityControl</name>
    <message>
        <location filename="../panels/OpacityControl.cpp" line="15" />
        <source>Opacity</source>
        <translation>Непрозрачность</translation>
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
        <location filename="../panels/PointControl.cpp" line="16" />
        <source>Point control</source>
        <translation>Правка точки</translation>
    </message>
    <message>
        <location filename="../panels/PointControl.cpp" line="26" />
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <location filename="../panels/PointControl.cpp" line="26" />
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <location filename="../panels/PointControl.cpp" line="26" />
        <source>Z:</source>
        <translation>Z:</translation>
    </message>
    <message>
        <location filename="../panels/PointControl.cpp" line="33" />
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
    <name>Tessaron</name>
    <message>
        <location filename="../FileCommands.cpp" line="72" />
        <source>This scene is already being opened; it is skipped.</source>
        <translation>Эта сцена уже открывается; она пропущена.</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="92" />
        <source>Loading file...</source>
        <translation>Загрузка файла...</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="131" />
        <source>Opening file</source>
        <translation>Открытие файла</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="132" />
        <source>Open File</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="133" />
        <source>All models(*surf *hx)</source>
        <translation>Все модели(*surf *hx)</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="170" />
        <source>Reopening file</source>
        <translation>Повторное открытие файла</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="213" />
        <source>There is no .hx files in this folder.</source>
        <translation>В этой папке нет файлов .hx.</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="247" />
        <source>Saving file</source>
        <translation>Сохранение файла</translation>
    </message>
    <message>
        <location filename="../FileCommands.cpp" line="249" />
        <source>Save file As...</source>
        <translation>Сохранить файл как...</translation>
    </message>
    <message>
        <location filename="../Settings.cpp" line="27" />
        <source>Load settings</source>
        <translation>Загрузка настроек</translation>
    </message>
    <message>
        <location filename="../Settings.cpp" line="57" />
        <source>Do you want reopen last file?</source>
        <translation>Открыть последний файл снова?</translation>
    </message>
    <message>
        <location filename="../Settings.cpp" line="98" />
        <source>Saving settings</source>
        <translation>Сохранение настроек</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="236" />
        <source>The &lt;b&gt;%1&lt;/b&gt; is 3d viewer.&lt;br/&gt;</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; — программа трёхмерного просмотра.&lt;br/&gt;</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="237" />
        <source>Current version %2&lt;br/&gt;</source>
        <translation>Текущая версия %2&lt;br/&gt;</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="238" />
        <source>Build #%1, build time %2&lt;br/&gt;</source>
        <translation>Сборка №%1, время сборки %2&lt;br/&gt;</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="239" />
        <source>Commit #%1, commit time %2&lt;br/&gt;</source>
        <translation>Коммит №%1, время коммита %2&lt;br/&gt;</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="240" />
        <source>Compiled in %3 %4.</source>
        <translation>Скомпилировано %3 %4.</translation>
    </message>
    <message>
        <location filename="../Tessaron.cpp" line="241" />
        <source>About %1 v %2</source>
        <translation>О программе %1 v %2</translation>
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
        <location filename="../SettingsFile.cpp" line="57" />
        <source>No home folder: the settings are the defaults and are not saved.</source>
        <translation>Нет домашней папки: настройки по умолчанию, они не сохраняются.</translation>
    </message>
    <message>
        <location filename="../SettingsFile.cpp" line="64" />
        <source>%1 is not a regular file: the settings are the defaults and are not saved.</source>
        <translation>%1 не является обычным файлом: настройки по умолчанию, они не сохраняются.</translation>
    </message>
    <message>
        <location filename="../SettingsFile.cpp" line="80" />
        <source>The settings could not be saved to %1.</source>
        <translation>Не удалось сохранить настройки в %1.</translation>
    </message>
</context>
</TS>