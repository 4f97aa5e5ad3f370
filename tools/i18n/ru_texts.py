# Russian texts of the interface, keyed by (context, English source text).
# tools/i18n/fill_ts.py writes them into src/app/i18n/tessaron_ru.ts after
# lupdate has collected the source texts.
RU = {
    # Main window: window, menus, actions
    ("MainWindow", "Tessaron v1.1.256"): "Tessaron v1.1.256",
    ("MainWindow", "File"): "Файл",
    ("MainWindow", "SaveAs"): "Сохранить как",
    ("MainWindow", "Recent files..."): "Последние файлы...",
    ("MainWindow", "View"): "Вид",
    ("MainWindow", "Light"): "Освещение",
    ("MainWindow", "Options"): "Параметры",
    ("MainWindow", "Panels"): "Панели",
    ("MainWindow", "Help"): "Справка",
    ("MainWindow", "Clone model"): "Копия модели",
    ("MainWindow", "Operations"): "Операции",
    ("MainWindow", "toolBar"): "Панель инструментов",
    ("MainWindow", "Open..."): "Открыть...",
    ("MainWindow", "Open DICOM Folder..."): "Открыть папку DICOM...",
    ("MainWindow", "Refresh"): "Обновить",
    ("MainWindow", "Close"): "Закрыть",
    ("MainWindow", "Clear list"): "Очистить список",
    ("MainWindow", "Save As .MESH..."): "Сохранить как .MESH...",
    ("MainWindow", "Save As .OFF..."): "Сохранить как .OFF...",
    ("MainWindow", "Save As .VTK..."): "Сохранить как .VTK...",
    ("MainWindow", "Save As .OBJ..."): "Сохранить как .OBJ...",
    ("MainWindow", "Save As .PLY..."): "Сохранить как .PLY...",
    ("MainWindow", "Save As .DAT..."): "Сохранить как .DAT...",
    ("MainWindow", "Save Scene As glTF..."): "Сохранить сцену как glTF...",
    ("MainWindow", "Save As Image"): "Сохранить как изображение",
    ("MainWindow", "Save As binary .STL..."): "Сохранить как двоичный .STL...",
    ("MainWindow", "Save As text .STL..."): "Сохранить как текстовый .STL...",
    ("MainWindow", "Save As Star CD..."): "Сохранить как Star CD...",
    ("MainWindow", "Print"): "Печать",
    ("MainWindow", "Exit"): "Выход",
    ("MainWindow", "Model Info"): "Сведения о модели",
    ("MainWindow", "Preferences"): "Настройки",
    ("MainWindow", "About"): "О программе",
    ("MainWindow", "View Points"): "Показать точки",
    ("MainWindow", "View Edges"): "Показать рёбра",
    ("MainWindow", "View Faces"): "Показать грани",
    ("MainWindow", "View Vertices"): "Показать вершины",
    ("MainWindow", "View contour edges"): "Контурные рёбра",
    ("MainWindow", "View surface edges"): "Рёбра поверхности",
    ("MainWindow", "View Surface"): "Показать поверхность",
    ("MainWindow", "Black-and-white mode"): "Чёрно-белый режим",
    ("MainWindow", "Material"): "Материалы",
    ("MainWindow", "Functions"): "Функции",
    ("MainWindow", "View Isosurfaces"): "Изоповерхности",
    ("MainWindow", "View Intersect"): "Сечение",
    ("MainWindow", "View Color Lines"): "Цветные изолинии",
    ("MainWindow", "View BoundingBox"): "Ограничивающий параллелепипед",
    ("MainWindow", "View Inner Edges"): "Внутренние рёбра",
    ("MainWindow", "Transparent Mode"): "Прозрачность",
    ("MainWindow", "Show Axes"): "Показать оси",
    ("MainWindow", "Start Position"): "Исходное положение",
    ("MainWindow", "Rescale to screen"): "Вписать в экран",
    ("MainWindow", "Fit all"): "Показать всё",
    ("MainWindow", "Move Center"): "Переместить центр",
    ("MainWindow", "Rotate to X"): "Повернуть вокруг X",
    ("MainWindow", "Rotate to Y"): "Повернуть вокруг Y",
    ("MainWindow", "Rotate to Z"): "Повернуть вокруг Z",
    ("MainWindow", "Set Plane XY"): "Плоскость XY",
    ("MainWindow", "Set Plane XZ"): "Плоскость XZ",
    ("MainWindow", "Set Plane YZ"): "Плоскость YZ",
    ("MainWindow", "Zoom in"): "Увеличить",
    ("MainWindow", "Zoom out"): "Уменьшить",
    ("MainWindow", "Show in 3D-Stereo"): "Стереоизображение",
    ("MainWindow", "Show in FullScreen"): "Во весь экран",
    ("MainWindow", "Change Background Color"): "Цвет фона",
    ("MainWindow", "Show Ruler"): "Линейка",
    ("MainWindow", "Splice vertices"): "Склеить вершины",
    ("MainWindow", "Mass Select"): "Выделение рамкой",
    ("MainWindow", "Slices"): "Срезы",
    ("MainWindow", "Axial plane"): "Аксиальная плоскость",
    ("MainWindow", "Coronal plane"): "Корональная плоскость",
    ("MainWindow", "Sagittal plane"): "Сагиттальная плоскость",
    ("MainWindow", "Soft tissue (W 400 / L 40)"): "Мягкие ткани (W 400 / L 40)",
    ("MainWindow", "Bone (W 1800 / L 400)"): "Кость (W 1800 / L 400)",
    ("MainWindow", "Stone (W 2000 / L 600)"): "Камень (W 2000 / L 600)",
    ("MainWindow", "Window/Level Mode"): "Режим окна/уровня",
    ("MainWindow", "Close Image"): "Закрыть изображение",
    ("MainWindow", "Multi select"): "Множественный выбор",
    ("MainWindow", "Clear selection"): "Снять выделение",
    ("MainWindow", "Edit selection"): "Изменить материал выделения",
    ("MainWindow", "Edit Point"): "Изменить точку",
    ("MainWindow", "Fill material zeros"): "Заполнить материалы нулями",
    ("MainWindow", "Find border Edges"): "Найти граничные рёбра",
    ("MainWindow", "Find border material Edges"): "Найти границы материала",
    ("MainWindow", "Centering all models by selected point"): "Центрировать все модели по выбранной точке",
    ("MainWindow", "Transfrom all models as active model"): "Преобразовать все модели как активную",
    ("MainWindow", "Get full clone of active model"): "Полная копия активной модели",
    ("MainWindow", "Full interface"): "Полный интерфейс",
    ("MainWindow", "Clone selection into new model"): "Выделение в новую модель",
    ("MainWindow", "Clone visible primitives into new model"): "Видимые примитивы в новую модель",
    ("MainWindow", "Convert cell functionts to vert.functions"): "Функции ячеек в функции вершин",
    ("MainWindow", "Create surface of model"): "Построить поверхность модели",
    ("MainWindow", "Topology Merge Vertices"): "Слияние вершин топологии",
    ("MainWindow", "Monochrome"): "Монохромный",
    ("MainWindow", "Front"): "Спереди",
    ("MainWindow", "Top"): "Сверху",
    ("MainWindow", "TopRight"): "Сверху справа",
    # Main window messages
    ("Tessaron", "Loading file..."): "Загрузка файла...",
    ("Tessaron", "Opening file"): "Открытие файла",
    ("Tessaron", "Open File"): "Открыть файл",
    ("Tessaron", "Opening folder"): "Открытие папки",
    ("Tessaron", "Open DICOM Folder"): "Открыть папку DICOM",
    ("Tessaron", "All models(*surf *hx)"): "Все модели(*surf *hx)",
    ("Tessaron", "Reopening file"): "Повторное открытие файла",
    ("Tessaron", "Saving file"): "Сохранение файла",
    ("Tessaron", "Save file As..."): "Сохранить файл как...",
    ("Tessaron", "There is no .hx files in this folder."): "В этой папке нет файлов .hx.",
    ("Tessaron", "Load settings"): "Загрузка настроек",
    ("Tessaron", "Saving settings"): "Сохранение настроек",
    ("Tessaron", "Do you want reopen last file?"): "Открыть последний файл снова?",
    ("Tessaron", "About %1 v %2"): "О программе %1 v %2",
    ("Tessaron", "The <b>%1</b> is 3d viewer.<br/>"): "<b>%1</b> — программа трёхмерного просмотра.<br/>",
    ("Tessaron", "Current version %2<br/>"): "Текущая версия %2<br/>",
    ("Tessaron", "Build #%1, build time %2<br/>"): "Сборка №%1, время сборки %2<br/>",
    ("Tessaron", "Commit #%1, commit time %2<br/>"): "Коммит №%1, время коммита %2<br/>",
    ("Tessaron", "Compiled in %3 %4."): "Скомпилировано %3 %4.",
    # Panels
    ("ObjectsControl", "Objects"): "Объекты",
    ("ObjectsControl", "Name"): "Имя",
    ("ObjectsControl", "Set active"): "Сделать активной",
    ("ObjectsControl", "Show/Hide"): "Показать/скрыть",
    ("ObjectsControl", "Change color"): "Изменить цвет",
    ("ObjectsControl", "Change name"): "Переименовать",
    ("ObjectsControl", "Delete"): "Удалить",
    ("ObjectsControl", "Join models"): "Объединить модели",
    ("ObjectsControl", "Rename object"): "Переименование объекта",
    ("ObjectsControl", "Enter new name"): "Введите новое имя",
    ("OpacityControl", "Opacity"): "Непрозрачность",
    ("MaterialsControl", "Materials"): "Материалы",
    ("MaterialsControl", "Apply"): "Применить",
    ("MaterialsControl", "SelectAll"): "Выбрать все",
    ("MaterialsControl", "DeselectAll"): "Снять выбор",
    ("MaterialsControl", "Change"): "Изменить",
    ("MaterialsControl", "Change Materil Number"): "Изменение номера материала",
    ("MaterialsControl", "Input new material number:"): "Введите новый номер материала:",
    ("MaterialsControl", "Input old material number:"): "Введите прежний номер материала:",
    ("MaterialsControl", "Error"): "Ошибка",
    ("MaterialsControl", "Old material does not exist in original model!"): "Прежнего материала нет в исходной модели!",
    ("IntersectControl", "Intersection"): "Сечение",
    ("IntersectControl", "Point:"): "Точка:",
    ("IntersectControl", "Normal:"): "Нормаль:",
    ("IntersectControl", "LoadFromSel"): "Из выбранной точки",
    ("IntersectControl", "Smooth Intersection"): "Гладкое сечение",
    ("IntersectControl", "Draw clipping rectangle"): "Показать секущую плоскость",
    ("IntersectControl", "Include intersected primitives"): "Включать пересечённые элементы",
    ("IntersectControl", "Invert normal"): "Обратить нормаль",
    ("IntersectControl", "Apply"): "Применить",
    ("PointControl", "Point control"): "Правка точки",
    ("PointControl", "X:"): "X:",
    ("PointControl", "Y:"): "Y:",
    ("PointControl", "Z:"): "Z:",
    ("PointControl", "Save"): "Сохранить",
    ("Stereo3DControl", "Stereo 3D settings"): "Настройки стереоизображения",
    ("Stereo3DControl", "Invert R vs L"): "Поменять местами правый и левый",
    ("Stereo3DControl", "ortho"): "ортогональная",
    ("Stereo3DControl", "frustrum"): "перспективная",
    ("Stereo3DControl", "Eye X-diff"): "Разнос глаз по X",
    ("Stereo3DControl", "Eye Z"): "Глаз по Z",
    ("Stereo3DControl", "Focus Z"): "Фокус по Z",
    ("Stereo3DControl", "Near"): "Ближняя",
    ("Stereo3DControl", "Focus"): "Фокус",
    ("Stereo3DControl", "Far"): "Дальняя",
    ("FunctionControl", "Functions"): "Функции",
    ("FunctionControl", "MIN:"): "МИН:",
    ("FunctionControl", "MAX:"): "МАКС:",
    ("FunctionControl", "Apply"): "Применить",
    ("FunctionControl", "All"): "Все",
    ("FunctionControl", "Functions in faces"): "Функции в гранях",
    ("FunctionControl", "Building model..."): "Построение модели...",
    ("GradientControl", "Gradient"): "Градиент",
    ("ColorSizeControl", "Color size control"): "Настройка палитры",
    ("ColorSizeControl", "Function size"): "Число цветов",
    ("ColorSizeControl", "Palette size"): "Размер палитры",
    ("ColorSizeControl", "Repeat colors"): "Повторять цвета",
    ("ColorSizeControl", "Lines without colors"): "Линии без цвета",
    ("ColorSizeControl", "Isoline value:"): "Значение изолинии:",
    ("ColorSizeControl", "Use exact value"): "Точное значение",
    ("IsoControl", "Isosurfaces control"): "Изоповерхности",
    ("IsoControl", "Uniformity"): "Равномерно",
    ("IsoControl", "Count of intersections:"): "Число сечений:",
    ("IsoControl", "Intersection values:"): "Значения сечений:",
    ("IsoControl", 'Values separated by ";"'): 'Значения через ";"',
    ("IsoControl", "Building model..."): "Построение модели...",
    ("IsoControl", "Warning"): "Предупреждение",
    ("IsoControl", "There is no points"): "Нет точек",
    # Models
    ("SceneClass", "Scene"): "Сцена",
    ("ModelClass", "; Mesh #%1"): "; Сетка №%1",
    ("ModelClass", "; %1-gon"): "; %1-угольник",
    ("ModelClass", " # %1"): " № %1",
    ("ModelClass", "; Tetrahedron"): "; Тетраэдр",
    ("ModelClass", "; Pyramid"): "; Пирамида",
    ("ModelClass", "; Triangleprizm"): "; Треугольная призма",
    ("ModelClass", "; Hexahedron"): "; Гексаэдр",
    ("ModelClass", "; pt=%1"): "; тип=%1",
    ("ModelClass", " pn=%1"): " номер=%1",
    ("ModelClass", "; Material # %1"): "; Материал № %1",
    ("ModelClass", "; %1 = %2"): "; %1 = %2",
    ("ModelClass", "Unknown error open file."): "Неизвестная ошибка открытия файла.",
    ("ModelClass", "Error opening file."): "Ошибка открытия файла.",
    ("ModelClass", "Error filetype."): "Неверный тип файла.",
    ("ModelClass", "Error: there is no memory."): "Ошибка: недостаточно памяти.",
    ("ModelClass", "Joint model"): "Объединённая модель",
    # View
    ("GLWidget", "Model: %1"): "Модель: %1",
    ("GLWidget", "There is no selected model."): "Модель не выбрана.",
    ("GLWidget", "File info:"): "Сведения о файле:",
    ("GLWidget", "Count of zones = %1"): "Число зон = %1",
    ("GLWidget", "Count of points = %1"): "Число точек = %1",
    ("GLWidget", "Count of %1 -gons = %2"): "Число %1-угольников = %2",
    ("GLWidget", "Count of tetrahedrons = %1"): "Число тетраэдров = %1",
    ("GLWidget", "Count of pyramids = %1"): "Число пирамид = %1",
    ("GLWidget", "Count of prisms = %1"): "Число призм = %1",
    ("GLWidget", "Count of hexahedrons = %1"): "Число гексаэдров = %1",
    ("GLWidget", "Count of functions = %1"): "Число функций = %1",
    ("GLWidget", "Model info:"): "Сведения о модели:",
    ("GLWidget", "Min area of N-gon = %1"): "Наименьшая площадь многоугольника = %1",
    ("GLWidget", "Max area of N-gon = %1"): "Наибольшая площадь многоугольника = %1",
    ("GLWidget", "Min volume of tetrahedron = %1"): "Наименьший объём тетраэдра = %1",
    ("GLWidget", "Max volume of tetrahedron = %1"): "Наибольший объём тетраэдра = %1",
    ("GLWidget", "Euler characteristic = %1"): "Эйлерова характеристика = %1",
    ("GLWidget", "Count of lost vertices = %1"): "Число неиспользуемых вершин = %1",
    ("GLWidget", "Count of outer vertices = %1"): "Число внешних вершин = %1",
    ("GLWidget", "Count of inner vertices = %1"): "Число внутренних вершин = %1",
    ("GLWidget", "Count of boundary edges = %1"): "Число граничных рёбер = %1",
    ("GLWidget", "Count of boundary vertices = %1"): "Число граничных вершин = %1",
    ("GLWidget", "Preparing data for draw..."): "Подготовка данных для отображения...",
    ("GLWidget", "Drawing..."): "Отображение...",
    ("ViewCommands", "Building model..."): "Построение модели...",
    ("GLWidget", "X in [%1;%2]; Y in [%3;%4]; Z in [%5;%6]"): "X в [%1;%2]; Y в [%3;%4]; Z в [%5;%6]",
    ("GLWidget", "Window %1, level %2"): "Окно %1, уровень %2",
    ("ViewCommands", "There is no selected elements."): "Нет выделенных элементов.",
    ("GLWidget", "Save image As..."): "Сохранить изображение как...",
    ("ViewCommands", "Warning"): "Предупреждение",
    ("GLWidget", "JPG - JPEG"): "JPG - JPEG",
    ("GLWidget", "PNG - portable network graphics"): "PNG - переносимая сетевая графика",
    ("GLWidget", "BMP - Bitmap Picture"): "BMP - точечный рисунок",
    ("GLWidget", "SVG - Scalable Vector Graphics"): "SVG - масштабируемая векторная графика",
    ("GLWidget", "PDF - Portable Document Format "): "PDF - переносимый формат документов ",
    ("GLWidget", "PS - PostScript"): "PS - PostScript",
    ("GLWidget", "EPS - Encapsulated PostScript"): "EPS - инкапсулированный PostScript",
    ("GLWidget", "; Point: (%1;%2;%3); (Zone number=%4; Vertex number=%5)"): "; Точка: (%1;%2;%3); (номер зоны=%4; номер вершины=%5)",
    ("GLWidget", "; %1 = %2"): "; %1 = %2",
    ("GLWidget", "Error"): "Ошибка",
    ("ViewCommands", "Change Materil Number"): "Изменение номера материала",
    ("ViewCommands", "Input new material number:"): "Введите новый номер материала:",
    # Preferences dialog
    ("ConfigDialog", "Config Dialog"): "Параметры программы",
    ("ConfigDialog", "Draw"): "Отображение",
    ("ConfigDialog", "Selection"): "Выделение",
    ("ConfigDialog", "Settings"): "Настройки",
    ("ConfigDialog", "Colors"): "Цвета",
    ("ConfigDialog", "Cancel"): "Отмена",
    ("ConfigDialog", "Apply"): "Применить",
    ("ConfigDialog", "Reset"): "Сбросить",
    ("ConfigDialog", "Reload"): "Перечитать",
    ("ConfigDialog", "Attention"): "Внимание",
    ("ConfigDialog", "To change language you must restart the program."):
        "Чтобы сменить язык, перезапустите программу.",
    ("ConfigurationPage", "The thickness"): "Толщина",
    ("ConfigurationPage", "Points thickness:"): "Толщина точек:",
    ("ConfigurationPage", "Selected points thickness:"): "Толщина выделенных точек:",
    ("ConfigurationPage", "Edges thickness:"): "Толщина рёбер:",
    ("ConfigurationPage", "Boundary edges thickness:"): "Толщина граничных рёбер:",
    ("ConfigurationPage", "Axis thickness:"): "Толщина осей:",
    ("ConfigurationPage", "Isolines width:"): "Толщина изолиний:",
    ("ConfigurationPage", "Draw settings"): "Отображение точек",
    ("ConfigurationPage", "Draw all points"): "Показывать все точки",
    ("ConfigurationPage", "Draw visible points"): "Показывать видимые точки",
    ("ConfigurationPage", "Shading settings"): "Затенение",
    ("ConfigurationPage", "Phong shading (normals for vertices)"): "Затенение по Фонгу (нормали в вершинах)",
    ("ConfigurationPage", "Gouraud shading (normals for faces)"): "Затенение по Гуро (нормали граней)",
    ("ConfigurationPage", "Isolines colors"): "Цвета изолиний",
    ("ConfigurationPage", "Draw isolines with function colors"): "Изолинии цветами функции",
    ("ConfigurationPage", "Draw isolines with colid color"): "Изолинии одним цветом",
    ("ConfigurationPage", "Isolines settings"): "Изолинии",
    ("ConfigurationPage", "Isolines brightness:"): "Яркость изолиний:",
    ("SelectionPage", "By material selection"): "Выделение по материалам",
    ("SelectionPage", "Select all materials"): "Выделять все материалы",
    ("SelectionPage", "Select active material"): "Выделять активный материал",
    ("SelectionPage", "By points selection"): "Выделение по точкам",
    ("SelectionPage", "Select triangle, if all points are selected"): "Выделять треугольник, если выделены все его точки",
    ("SelectionPage", "Select triangle, if any point is selected"): "Выделять треугольник, если выделена любая его точка",
    ("SelectionPage", "By visible selection"): "Выделение по видимости",
    ("SelectionPage", "Select all primitives"): "Выделять все примитивы",
    ("SelectionPage", "Select visible primitives"): "Выделять видимые примитивы",
    ("SelectionPage", "Neighbours faces"): "Соседние грани",
    ("SelectionPage", "Finding neighbours on fly"): "Искать соседей на лету",
    ("SettingsPage", "Saving settings"): "Сохранение",
    ("SettingsPage", "Save color as material (if possible)"): "Сохранять цвет как материал (если возможно)",
    ("SettingsPage", "Save material in OFF (if possible)"): "Сохранять материал в OFF (если возможно)",
    ("SettingsPage", "Use BSP-sort"): "Использовать BSP-сортировку",
    ("SettingsPage", "Join settings"): "Объединение",
    ("SettingsPage", "Join models in one zone without change material numbers"):
        "Объединять модели в одну зону, не меняя номера материалов",
    ("SettingsPage", "Join models in one zone with unique material numbers"):
        "Объединять модели в одну зону с уникальными номерами материалов",
    ("SettingsPage", "Join models in several zone without change material numbers"):
        "Объединять модели в несколько зон, не меняя номера материалов",
    ("SettingsPage", "Open settings"): "Открытие",
    ("SettingsPage", "Show only last model"): "Показывать только последнюю модель",
    ("SettingsPage", "Hide opened models (when opening new one)"): "Скрывать открытые модели (при открытии новой)",
    ("SettingsPage", "Scale all models to screen"): "Вписывать все модели в экран",
    ("SettingsPage", "Autocentering opening model"): "Центрировать открываемую модель",
    ("SettingsPage", "Load materials as cell functions"): "Загружать материалы как функции ячеек",
    ("SettingsPage", "Copy transform matrix"): "Копировать матрицу преобразования",
    ("SettingsPage", "Printing settings"): "Печать",
    ("SettingsPage", "Printing quality:"): "Качество печати:",
    ("SettingsPage", "Intersection settings"): "Сечение",
    ("SettingsPage", "Construct only intersection plane"): "Строить только плоскость сечения",
    ("SettingsPage", "Language settings"): "Язык",
    ("SettingsPage", "Interface language:"): "Язык интерфейса:",
    ("ColorsPage", "Colors"): "Цвета",
    ("ColorsPage", "Points"): "Точки",
    ("ColorsPage", "Edges"): "Рёбра",
    ("ColorsPage", "Background"): "Фон",
    ("ColorsPage", "Front faces"): "Лицевые грани",
    ("ColorsPage", "Back faces"): "Обратные грани",
    ("ColorsPage", "Boundary edges"): "Граничные рёбра",
    ("ColorsPage", "Selected primitives"): "Выделенные примитивы",
    ("ColorsPage", "Axis"): "Оси",
    ("ColorsPage", "Clipping plane"): "Секущая плоскость",
    ("ColorsPage", "Selected edges"): "Выделенные рёбра",
    ("ColorsPage", "Points and Cells numbers"): "Номера точек и ячеек",
    ("ColorsPage", "Isolines"): "Изолинии",
    ("ColorsPage", "Texture settings"): "Текстура",
    ("ColorsPage", "Use grey scale texture"): "Текстура в оттенках серого",
    ("ViewCommands", "Splice vertices"): "Склеить вершины",
    ("ViewCommands", "Input Eps:"): "Введите точность Eps:",
    ("GLWidget", "The model was not saved: its cells name vertices it does not have."):
        "Модель не сохранена: её ячейки ссылаются на несуществующие вершины.",
    # Planning numbers: the measuring layer's tables, the Measurements panel,
    # the closest gap and the model information report's measures
    ("MainWindow", "Measurements"): "Измерения",
    ("MainWindow", "Closest gap"): "Кратчайшее расстояние",
    ("GLWidget", "Closest gap from %1 to %2: %3"): "Кратчайшее расстояние от %1 до %2: %3",
    ("ViewCommands", "Measuring..."): "Измерение...",
    ("ViewCommands", "Measures:"): "Измерения:",
    ("Tessaron", "Warning"): "Предупреждение",
    ("Tessaron", "Select two models in the Objects tree to measure the closest gap between them."):
        "Выберите две модели в дереве объектов, чтобы измерить кратчайшее расстояние между ними.",
    ("Tessaron", "%1 cannot be measured: %2"): "%1 нельзя измерить: %2",
    ("Tessaron", "it has no triangles"): "в ней нет треугольников",
    ("Tessaron", "Measuring the closest gap..."): "Измерение кратчайшего расстояния...",
    ("MeasurementsControl", "Measurements"): "Измерения",
    ("MeasurementsControl", "Measure again"): "Измерить снова",
    ("MeasurementsControl", "Copy tables"): "Копировать таблицы",
    ("MeasurementsControl", "Clear mark"): "Убрать отметку",
    ("MeasurementsControl", "R.E.N.A.L. nephrometry"): "Нефрометрия R.E.N.A.L.",
    ("MeasurementsControl", "a: anterior"): "a: передняя",
    ("MeasurementsControl", "p: posterior"): "p: задняя",
    ("MeasurementsControl", "x: neither"): "x: ни та, ни другая",
    ("MeasurementsControl", "A:"): "A:",
    ("MeasurementsControl", "L:"): "L:",
    ("MeasurementsControl", "S.T.O.N.E. nephrolithometry"): "Нефролитометрия S.T.O.N.E.",
    ("MeasurementsControl", "1: none or mild"): "1: нет или лёгкая",
    ("MeasurementsControl", "2: moderate or severe"): "2: умеренная или выраженная",
    ("MeasurementsControl", "1: one or two calyces"): "1: одна или две чашечки",
    ("MeasurementsControl", "2: three calyces"): "2: три чашечки",
    ("MeasurementsControl", "3: staghorn"): "3: коралловидный камень",
    ("MeasurementsControl", "O:"): "O:",
    ("MeasurementsControl", "N:"): "N:",
    ("MeasurementsControl", "Models"): "Модели",
    ("MeasurementsControl", "Stones"): "Камни",
    ("MeasurementsControl", "Gaps"): "Расстояния",
    ("MeasurementsControl", "Measuring..."): "Измерение...",
    ("MeasurementsControl", "No stones model is loaded."): "Модель камней не загружена.",
    ("MeasurementsControl", "No tumour model is loaded."): "Модель опухоли не загружена.",
    ("MeasurementsControl", "%1 #%2"): "%1 №%2",
    ("MeasurementsControl", "Stone %1 #%2: centre %3 mm, %4 across"):
        "Камень %1 №%2: центр %3 мм, поперечник %4",
    ("MeasurementsControl", "1: wholly above or below a polar line"):
        "1: целиком выше или ниже полярной линии",
    ("MeasurementsControl", "2: crosses a polar line"): "2: пересекает полярную линию",
    ("MeasurementsControl",
     "3: half or more across a polar line, across the midline, or wholly between the polar lines"):
        "3: половина и более за полярной линией, через срединную линию или целиком между "
        "полярными линиями",
    ("Measurements", "yes"): "да",
    ("Measurements", "no"): "нет",
    ("Measurements", "no triangles"): "нет треугольников",
    ("Measurements", "border edges: %1"): "граничных рёбер: %1",
    ("Measurements", "non-manifold edges: %1"): "неманифолдных рёбер: %1",
    ("Measurements", "non-manifold vertices: %1"): "неманифолдных вершин: %1",
    ("Measurements", "misoriented edges: %1"): "рёбер с несогласованной ориентацией: %1",
    ("Measurements", "self-intersecting"): "самопересекается",
    ("Measurements", "closed, inside out"): "замкнута, вывернута наизнанку",
    ("Measurements", "closed"): "замкнута",
    ("Measurements", "not closed"): "не замкнута",
    ("Measurements", "not manifold"): "не многообразие",
    ("Measurements", "not oriented"): "не ориентирована",
    ("Measurements", "%1 #%2"): "%1 №%2",
    ("Measurements", "%1 mm"): "%1 мм",
    ("Measurements", "%1 mm²"): "%1 мм²",
    ("Measurements", "%1 mm³ (%2 mL)"): "%1 мм³ (%2 мл)",
    ("Measurements", "Models"): "Модели",
    ("Measurements", "Model"): "Модель",
    ("Measurements", "Area, mm²"): "Площадь, мм²",
    ("Measurements", "Volume, mm³"): "Объём, мм³",
    ("Measurements", "Volume, mL"): "Объём, мл",
    ("Measurements", "Components"): "Компоненты",
    ("Measurements", "Surface"): "Поверхность",
    ("Measurements", "not measured: %1"): "не измерена: %1",
    ("Measurements", "Tumour"): "Опухоль",
    ("Measurements", "Kidney"): "Почка",
    ("Measurements", "Collecting system"): "Чашечно-лоханочная система",
    ("Measurements", "Stones"): "Камни",
    ("Measurements", "Artery"): "Артерия",
    ("Measurements", "Vein"): "Вена",
    ("Measurements", "Skin"): "Кожа",
    ("Measurements", "Bone"): "Кость",
    # The anatomy table's other structures.
    ("Measurements", "Cyst"): "Киста",
    ("Measurements", "Ureter"): "Мочеточник",
    ("Measurements", "Urinary bladder"): "Мочевой пузырь",
    ("Measurements", "Adrenal gland"): "Надпочечник",
    ("Measurements", "Spleen"): "Селезёнка",
    ("Measurements", "Liver"): "Печень",
    ("Measurements", "Pancreas"): "Поджелудочная железа",
    ("Measurements", "Gallbladder"): "Желчный пузырь",
    ("Measurements", "Aorta"): "Аорта",
    ("Measurements", "Renal pyramids"): "Почечные пирамиды",
    ("Measurements", "Marked as bad"): "Помечено как негодное",
    ("Measurements", "%1 (%2)"): "%1 (%2)",
    ("Measurements", "Stone"): "Камень",
    ("Measurements", "Largest diameter, mm"): "Наибольший диаметр, мм",
    ("Measurements", "Centre, mm"): "Центр, мм",
    ("Measurements", "Stones: %1; in all %2"): "Камней: %1; всего %2",
    ("Measurements", " (not closed, without volume: %1)"): " (не замкнуты, без объёма: %1)",
    ("Measurements", "; the largest #%1, %2 across"): "; наибольший №%1, поперечник %2",
    ("Measurements", "touching"): "касаются",
    ("Measurements", "overlapping"): "перекрываются",
    ("Measurements", "inside %1"): "внутри %1",
    ("Measurements", "holds %1"): "содержит %1",
    ("Measurements", "no triangles to measure"): "нет треугольников для измерения",
    ("Measurements", "Gaps"): "Расстояния",
    ("Measurements", "From"): "От",
    ("Measurements", "To"): "До",
    ("Measurements", "Gap, mm"): "Расстояние, мм",
    ("Measurements", "Note"): "Примечание",
    ("Measurements", "R.E.N.A.L. nephrometry of %1"): "Нефрометрия R.E.N.A.L. для %1",
    ("Measurements", "Part"): "Составляющая",
    ("Measurements", "Score"): "Баллы",
    ("Measurements", "R: radius"): "R: радиус",
    ("Measurements", "largest diameter %1"): "наибольший диаметр %1",
    ("Measurements", "no surface"): "нет поверхности",
    ("Measurements", "E: exophytic"): "E: экзофитность",
    ("Measurements", "estimate: %1 of the volume outside the convex hull of %2"):
        "оценка: %1 объёма вне выпуклой оболочки %2",
    ("Measurements", "needs a closed tumour and a kidney"): "нужны замкнутая опухоль и почка",
    ("Measurements", "N: nearness"): "N: близость",
    ("Measurements", "gap %1 to %2"): "расстояние %1 до %2",
    ("Measurements", "needs a collecting system"): "нужна чашечно-лоханочная система",
    ("Measurements", "A: anterior or posterior"): "A: передняя или задняя",
    ("Measurements", "entered"): "введено",
    ("Measurements", "to be entered"): "нужно ввести",
    ("Measurements", "L: location to the polar lines"): "L: положение относительно полярных линий",
    ("Measurements", "R.E.N.A.L. score %1%2"): "Оценка R.E.N.A.L.: %1%2",
    ("Measurements", "Sum so far %1 (%2); missing %3"): "Сумма пока %1 (%2); не хватает %3",
    ("Measurements", "S.T.O.N.E. nephrolithometry of %1"): "Нефролитометрия S.T.O.N.E. для %1",
    ("Measurements", "S: stone size"): "S: размер камней",
    ("Measurements", "%1 in all, each stone its length × width"):
        "%1 всего, каждый камень — длина × ширина",
    ("Measurements", "no stones"): "нет камней",
    ("Measurements", "T: tract length"): "T: длина хода",
    ("Measurements", "gap %1 from #%2 (the largest stone) to %3"):
        "расстояние %1 от №%2 (наибольшего камня) до %3",
    ("Measurements", "needs a skin model"): "нужна модель кожи",
    ("Measurements", "O: obstruction"): "O: обструкция",
    ("Measurements", "N: number of involved calyces"): "N: число вовлечённых чашечек",
    ("Measurements", "E: essence (stone density)"): "E: плотность камня",
    ("Measurements", "mean %1 HU of #%2, the densest stone"):
        "среднее %1 HU у №%2, самого плотного камня",
    ("Measurements", "needs a CT image"): "нужно изображение КТ",
    ("Measurements", "S.T.O.N.E. score %1"): "Оценка S.T.O.N.E.: %1",
    ("Measurements", "Not measured: %1"): "Не измерена: %1",
    ("Measurements", "Surface area = %1"): "Площадь поверхности = %1",
    ("Measurements", "Closed = %1"): "Замкнута = %1",
    ("Measurements", "Manifold = %1"): "Многообразие = %1",
    ("Measurements", "Consistently oriented = %1"): "Согласованно ориентирована = %1",
    ("Measurements", "Self-intersecting = %1"): "Самопересекается = %1",
    ("Measurements", "Volume = %1"): "Объём = %1",
    ("Measurements", "The surface was inside out (its triangles faced inwards)"):
        "Поверхность была вывернута (треугольники смотрели внутрь)",
    ("Measurements", "Volume: %1 (%2 border edges, %3 non-manifold edges)"):
        "Объём: %1 (граничных рёбер: %2, неманифолдных рёбер: %3)",
    ("Measurements", "Connected components = %1"): "Связных компонент = %1",
    ("Measurements", "Voxel volume of the label = %1"): "Объём вокселей метки = %1",
    ("Measurements", "Side = %1"): "Сторона = %1",
    ("Measurements", "left"): "левая",
    ("Measurements", "right"): "правая",
    # A model named with one side that lies on the other, and the midline it is checked against
    ("Measurements", "Warning: %1"): "Предупреждение: %1",
    ("Measurements", "%1 is named left but lies on the patient's right of the body's midline."):
        "Модель %1 названа левой, но лежит справа от средней линии тела пациента.",
    ("Measurements", "%1 is named right but lies on the patient's left of the body's midline."):
        "Модель %1 названа правой, но лежит слева от средней линии тела пациента.",
    ("Measurements", "Sides not checked: neither a CT nor paired organs show the body's midline."):
        "Стороны не проверены: ни КТ, ни парные органы не показывают среднюю линию тела.",
    ("Measurements", "Sides checked against the body's midline at x = %1, from %2."):
        "Стороны проверены по средней линии тела при x = %1, найденной по %2.",
    ("Measurements", "the spine in the CT"): "позвоночнику на КТ",
    ("Measurements", "the body's outline in the CT"): "контуру тела на КТ",
    ("Measurements", "the spine's model"): "модели позвоночника",
    ("Measurements", "the paired organs"): "парным органам",
    ("Measurements", "the centre of the scan"): "центру снимка",
    ("Measurements", "Extents = %1 x %2 x %3 mm"): "Размеры = %1 x %2 x %3 мм",
    ("Measurements", "Largest diameter = %1"): "Наибольший диаметр = %1",
    ("Measurements", "its cells name vertices it does not have"):
        "её ячейки ссылаются на несуществующие вершины",
    ("Measurements", "some coordinates are not numbers"): "некоторые координаты не являются числами",
    # The case sheet: the page, its commands in the window
    ("CaseSheet", "Nothing is visible: show at least one model with surfaces to make a case "
                  "sheet."):
        "Ничего не показано: чтобы составить лист случая, покажите хотя бы одну модель "
        "с поверхностями.",
    ("CaseSheet", "Plan (the session's view)"): "План (вид сеанса)",
    # Views by the side of the patient, and the letters of the patient's
    # sides as Russian radiologists write them: П/Л (правый/левый),
    # Пер/Зад (передний/задний), Вер/Низ (верхний/нижний).
    ("Orientation", "Anterior"): "Спереди",
    ("Orientation", "Posterior"): "Сзади",
    ("Orientation", "Left lateral"): "Слева",
    ("Orientation", "Right lateral"): "Справа",
    ("Orientation", "Superior"): "Сверху",
    ("Orientation", "Inferior"): "Снизу",
    ("Orientation", "R"): "П",
    ("Orientation", "L"): "Л",
    ("Orientation", "A"): "Пер",
    ("Orientation", "P"): "Зад",
    ("Orientation", "S"): "Вер",
    ("Orientation", "I"): "Низ",
    ("MainWindow", "Set Plane XY: the superior view (from the head, the front up, the patient's "
     "right on the right)"):
        "Плоскость XY: вид сверху (со стороны головы, передняя сторона вверху, правая сторона "
        "пациента справа)",
    ("MainWindow", "Set Plane XZ: the posterior view (from behind, head up, the patient's right "
     "on the right)"):
        "Плоскость XZ: вид сзади (голова вверху, правая сторона пациента справа)",
    ("MainWindow", "Set Plane YZ: the right lateral view (from the patient's right, head up, the "
     "front on the right)"):
        "Плоскость YZ: вид справа (с правой стороны пациента, голова вверху, передняя сторона "
        "справа)",
    ("MainWindow", "Start Position: the whole scene back to the start view (from the head, the "
     "front up)"):
        "Начальное положение: вся сцена в начальный вид (со стороны головы, передняя сторона "
        "вверху)",
    ("CaseSheet", "Page %1 of %2"): "Страница %1 из %2",
    ("CaseSheet", "CT through the largest stone"): "КТ через наибольший камень",
    ("CaseSheet", "Axial plane through the centre of %1"): "Аксиальная плоскость через центр %1",
    ("CaseSheet", "Plane %1 of %2 of the image"): "Срез %1 из %2",
    ("CaseSheet", "Window %1 / level %2 HU"): "Окно %1 / уровень %2 HU",
    ("CaseSheet", "The patient's right on the left, the front up"):
        "Правая сторона пациента слева, передняя сверху",
    ("CaseSheet", "Outlines: the visible models where the plane cuts them, in their colours"):
        "Контуры: видимые модели в плоскости среза, в своих цветах",
    ("CaseSheet", "Measurements from the surfaces as loaded; not a diagnosis."):
        "Измерения по поверхностям в том виде, как они загружены; это не диагноз.",
    ("CaseSheet", "%1 (continued)"): "%1 (продолжение)",
    ("CaseSheet", "Folder: %1"): "Папка: %1",
    ("CaseSheet", "Made %1 with %2"): "Составлен %1 программой %2",
    ("CaseSheet", "no picture"): "нет изображения",
    ("CaseSheet", "Legend"): "Обозначения",
    ("CaseSheet", "Cannot write %1: %2"): "Не удалось записать %1: %2",
    ("MainWindow", "Case sheet..."): "Лист случая...",
    ("MainWindow", "Print case sheet..."): "Печать листа случая...",
    ("Tessaron", "Making the case sheet..."): "Составление листа случая...",
    ("Tessaron", "Case sheet"): "Лист случая",
    ("Tessaron", "Title of the sheet:"): "Заголовок листа:",
    ("Tessaron", "Save the case sheet as"): "Сохранить лист случая как",
    ("Tessaron", "PDF (%1)"): "PDF (%1)",
    ("Tessaron", "The case sheet is written to %1"): "Лист случая записан в %1",
    ("Tessaron", "All menus and panels: %1 ▸ %2 (%3)"): "Все меню и панели: %1 ▸ %2 (%3)",
    ("Tessaron", "The panel \"%1\" has nothing to show for the current model."):
        "Панели «%1» нечего показать для текущей модели.",
    ("Tessaron", "Print case sheet"): "Печать листа случая",
    ("Tessaron", "Error"): "Ошибка",
    # Unlucky and careless use: reasons of failed loads and writes, gathered
    # failures, settings that cannot be used
    ("ModelClass", "Vertex %1 is not a finite point (%2; %3; %4)."):
        "Вершина %1 не является конечной точкой (%2; %3; %4).",
    ("ModelClass", "The file was shortened while it was read."):
        "Файл был укорочен во время чтения.",
    ("OutputFile", "the folder %1 cannot be written"): "в папку %1 нельзя записывать",
    ("OutputFile", "the folder %1 lets only the owner of a file replace it"):
        "в папке %1 заменить файл может только его владелец",
    ("Tessaron", "This scene is already being opened; it is skipped."):
        "Эта сцена уже открывается; она пропущена.",
    ("Tessaron", "%1 more files could not be opened:"): "Не удалось открыть ещё файлов (%1):",
    ("Tessaron", "... and %1 more."): "... и ещё %1.",
    ("Tessaron", "No home folder: the settings are the defaults and are not saved."):
        "Нет домашней папки: настройки по умолчанию, они не сохраняются.",
    ("Tessaron", "%1 is not a regular file: the settings are the defaults and are not saved."):
        "%1 не является обычным файлом: настройки по умолчанию, они не сохраняются.",
    ("Tessaron", "The settings could not be saved to %1."): "Не удалось сохранить настройки в %1.",
    ("GLWidget", "The image could not be saved."): "Не удалось сохранить изображение.",
    ("GLWidget", "Not saved: %1 has no image ending; images are written as %2."):
        "Не сохранено: у имени %1 нет окончания изображения; изображения записываются как %2.",
    ("GLWidget", "Image saved: %1"): "Изображение сохранено: %1",
    # Import: the command, its progress and the reasons a file is refused
    ("MainWindow", "Import..."): "Импорт...",
    ("Tessaron", "Importable files (%1)"): "Импортируемые файлы (%1)",
    ("Tessaron", "Everything Tessaron opens (%1)"): "Всё, что открывает Tessaron (%1)",
    ("Tessaron", "All files (*)"): "Все файлы (*)",
    ("Tessaron", "%1 files of kinds that are not read were left out (%2); the endings read are %3."):
        "Пропущено файлов видов, которые не читаются: %1 (%2); читаются окончания %3.",
    ("Tessaron", "Image %1 of %2 voxels"): "Изображение %1 из %2 вокселов",
    ("Tessaron", "Image closed"): "Изображение закрыто",
    ("Tessaron", "Importing file"): "Импорт файла",
    ("Tessaron", "Import"): "Импорт",
    ("Tessaron", "Importing %1..."): "Импорт %1...",
    ("Tessaron", "Reading %1..."): "Чтение %1...",
    ("Import", "Vertex %1 has a coordinate that is not a finite number."):
        "Координата вершины %1 не является конечным числом.",
    ("Import", "The folder holds no label maps."): "В папке нет карт меток.",
    ("Import", "The import was cancelled."): "Импорт отменён.",
    ("Import", "There is not enough memory to import the file."):
        "Недостаточно памяти для импорта файла.",
    ("Import", "The file cannot be imported."): "Файл не удаётся импортировать.",
    ("Import", "The compressed voxel data is damaged (%1)."):
        "Сжатые данные вокселей повреждены (%1).",
    ("Import", "The compressed voxel data cannot be read."):
        "Сжатые данные вокселей не удаётся прочитать.",
    ("Import", "The compressed voxel data holds more than the dimensions say."):
        "Сжатые данные вокселей длиннее, чем следует из размеров.",
    ("Import", "The compressed voxel data ends after %1 of %2 bytes."):
        "Сжатые данные вокселей обрываются после %1 байт из %2.",
    ("Import", "The compressed voxel data ends before its checksum."):
        "Сжатые данные вокселей обрываются до контрольной суммы.",
    ("Import", "The file cannot be opened."): "Файл не удаётся открыть.",
    ("Import", "Label %1"): "Метка %1",
    # Label tables: a line or entry left out, named by file and line
    ("Import", "%1, line %2: \"%3\" is not a label value with a name and colour; the line is "
               "left out."):
        "%1, строка %2: «%3» — не значение метки с именем и цветом; строка пропущена.",
    ("Import", "%1, line %2: %3"): "%1, строка %2: %3",
    ("Import", "a label without a whole Key or a name is left out."):
        "метка без целого Key или без имени пропущена.",
    ("Import", "the label table breaks off (%1); the labels before it are kept."):
        "таблица меток обрывается (%1); метки до обрыва сохранены.",
    ("Import", "the file is not JSON (%1)."): "файл не в формате JSON (%1).",
    ("Import", "\"%1\" has no single whole label value; it is left out."):
        "у «%1» нет одного целого значения метки; запись пропущена.",
    ("Import", "%1 (its header's label table)"): "%1 (таблица меток в заголовке)",
    ("Import", "The label map holds no labels: every voxel is 0."):
        "В карте меток нет меток: все воксели равны 0.",
    ("Import", "Finding the surfaces of the labels..."): "Построение поверхностей меток...",
    ("Import", "Smoothing the surfaces..."): "Сглаживание поверхностей...",
    ("Import", "%1 (label %2 of %3)"): "%1 (метка %2 из %3)",
    ("Import", "Reading %1..."): "Чтение %1...",
    ("Import", "%1 (%2 of %3)"): "%1 (%2 из %3)",
    ("Import", "The masks in this folder hold no labels."): "В масках этой папки нет меток.",
    ("Import", "The label map gives more surface vertices than a model holds."):
        "Карта меток даёт больше вершин поверхности, чем вмещает модель.",
    ("Import", "The label map holds the value %1, which is not a whole number. Labels are whole "
               "numbers; fractional values are refused, not rounded."):
        "В карте меток есть значение %1, не являющееся целым числом. Метки — целые числа; "
        "дробные значения не принимаются и не округляются.",
    ("Import", "more than %1"): "более %1",
    ("Import", "The label map has %1 distinct labels; at most %2 are read. An image of "
               "intensities is not a label map."):
        "В карте меток %1 различных меток; читается не более %2. Изображение яркостей — не карта "
        "меток.",
    ("Import", "The label map's value scaling is not a finite number."):
        "Масштабирование значений карты меток не является конечным числом.",
    ("Import", "The STL file is too short to hold even its header (%1 bytes)."):
        "Файл STL слишком короток даже для заголовка (%1 байт).",
    ("Import", "The STL file says it holds %1 triangles (%2 bytes), but it has %3 bytes."):
        "По заголовку в файле STL %1 треугольников (%2 байт), а в нём %3 байт.",
    ("Import", "The mesh has more cells than a model holds."):
        "В сетке больше ячеек, чем вмещает модель.",
    ("Import", "A face names vertex %1; the mesh has %2."):
        "Грань ссылается на вершину %1, а в сетке их %2.",
    ("Import", "The mesh file cannot be read: %1"): "Файл сетки не удаётся прочитать: %1",
    ("Import", "The file holds no surface: no mesh with faces of three or more corners."):
        "В файле нет поверхности: нет сетки с гранями из трёх и более вершин.",
    ("Import", "The label map's voxel spacing is zero or not a number."):
        "Шаг вокселей карты меток равен нулю или не является числом.",
    ("Import", "This is not a NIfTI file, or its header is damaged."):
        "Это не файл NIfTI, или его заголовок повреждён.",
    ("Import", "The dimensions times the voxel size (%1 bytes) are more than the file holds "
               "(%2 bytes)."):
        "Размеры, умноженные на размер вокселя (%1 байт), больше, чем вмещает файл (%2 байт).",
    ("Import", "The voxel data of the file ends early or cannot be read."):
        "Данные вокселей в файле обрываются или не читаются.",
    ("Import", "The NRRD header's field \"%1\" has a value that cannot be read: %2"):
        "Значение поля \"%1\" заголовка NRRD не удаётся прочитать: %2",
    ("Import", "The NRRD encoding \"%1\" is not read; raw, gzip and text are."):
        "Кодировка NRRD \"%1\" не читается; читаются raw, gzip и text.",
    ("Import", "This is not a NRRD file: it does not start with \"NRRD000\"."):
        "Это не файл NRRD: он не начинается с \"NRRD000\".",
    ("Import", "The NRRD header has a line that is neither a field nor a comment: %1"):
        "В заголовке NRRD есть строка, которая не является ни полем, ни комментарием: %1",
    ("Import", "The NRRD header lacks one of the fields type, dimension and encoding."):
        "В заголовке NRRD нет одного из полей type, dimension и encoding.",
    ("Import", "The NRRD header gives %1 sizes for %2 dimensions."):
        "Заголовок NRRD задаёт %1 размеров для %2 измерений.",
    ("Import", "The NRRD file has four dimensions but no axis of layers first or last."):
        "У файла NRRD четыре измерения, но ни первая, ни последняя ось не является осью слоёв.",
    ("Import", "A spatial axis of the NRRD file has no space direction."):
        "У пространственной оси файла NRRD нет направления.",
    ("Import", "The NRRD data file \"%1\" cannot be read."):
        "Файл данных NRRD \"%1\" не удаётся прочитать.",
    ("Import", "The NRRD data file %1 cannot be opened."):
        "Файл данных NRRD %1 не удаётся открыть.",
    ("Import", "The NRRD text data ends or breaks after %1 of %2 values."):
        "Текстовые данные NRRD обрываются после %1 значений из %2.",
    ("Import", "The mesh has more vertices than a model holds."):
        "В сетке больше вершин, чем вмещает модель.",
    ("Import", "The VTK file has more cells than a model holds."):
        "В файле VTK больше ячеек, чем вмещает модель.",
    ("Import", "Cell %1 names point %2; the file has %3 points."):
        "Ячейка %1 ссылается на точку %2, а в файле %3 точек.",
    ("Import", "Cell %1 of VTK type %2 has %3 points; the type has %4."):
        "У ячейки %1 типа VTK %2 %3 точек; у этого типа их %4.",
    ("Import", "The VTK point data %1 has %2 values for %3 points."):
        "Данные точек VTK %1: %2 значений на %3 точек.",
    ("Import", "The VTK cell data %1 has %2 values for %3 cells."):
        "Данные ячеек VTK %1: %2 значений на %3 ячеек.",
    ("Import", "The VTK file has more points than a model holds."):
        "В файле VTK больше точек, чем вмещает модель.",
    ("Import", "The VTK file has cells but no POINTS."): "В файле VTK есть ячейки, но нет POINTS.",
    ("Import", "The VTK file gives %1 cell types for %2 cells."):
        "Файл VTK задаёт %1 типов ячеек для %2 ячеек.",
    ("Import", "This is not a legacy VTK file: its first line is not \"# vtk DataFile Version "
               "...\"."):
        "Это не файл VTK прежнего формата: его первая строка не \"# vtk DataFile Version ...\".",
    ("Import", "The VTK file's third line must be ASCII or BINARY."):
        "Третья строка файла VTK должна быть ASCII или BINARY.",
    ("Import", "The VTK file has a section this reader does not know: %1"):
        "В файле VTK есть раздел, неизвестный этому чтению: %1",
    ("Import", "The VTK dataset %1 is not read; POLYDATA and UNSTRUCTURED_GRID are."):
        "Набор данных VTK %1 не читается; читаются POLYDATA и UNSTRUCTURED_GRID.",
    ("Import", "The VTK file has two POINTS sections."): "В файле VTK два раздела POINTS.",
    ("Import", "The VTK file lists the same kind of cells twice."):
        "В файле VTK ячейки одного вида перечислены дважды.",
    ("Import", "A cell of the VTK file lists more points than its cell list holds."):
        "Ячейка файла VTK перечисляет больше точек, чем содержит её список.",
    ("Import", "The VTK file announces %1 cells and lists %2."):
        "Файл VTK объявляет %1 ячеек, а перечисляет %2.",
    ("Import", "The VTK file's OFFSETS are not followed by CONNECTIVITY."):
        "В файле VTK за OFFSETS не следует CONNECTIVITY.",
    ("Import", "The VTK file's cell offsets do not span its connectivity."):
        "Смещения ячеек файла VTK не охватывают список связности.",
    ("Import", "The VTK file's cell offsets go backwards."):
        "Смещения ячеек файла VTK убывают.",
    ("Import", "The VTK scalars %1 have %2 components; 1 to 4 are allowed."):
        "У скаляров VTK %1 %2 компонент; допускается от 1 до 4.",
    ("Import", "The VTK file has data values before POINT_DATA or CELL_DATA."):
        "В файле VTK значения данных идут раньше POINT_DATA или CELL_DATA.",
    ("Import", "The VTK data type \"%1\" is not read."): "Тип данных VTK \"%1\" не читается.",
    ("Import", "The VTK file ends, or breaks off, inside a block of numbers."):
        "Файл VTK кончается или обрывается внутри блока чисел.",
    ("Import", "The VTK file ends where it should give %1."):
        "Файл VTK кончается там, где должен задавать %1.",
    ("Import", "The VTK file gives \"%1\" where it should give %2."):
        "Файл VTK задаёт \"%1\" там, где должен задавать %2.",
    # Import: hostile and damaged mesh files, label maps and what was left out
    ("Import", "Files of this kind are not imported; the endings read are %1."):
        "Файлы такого вида не импортируются; читаются окончания %1.",
    ("Tessaron", "Files of this kind are not read; the endings read are %1."):
        "Файлы такого вида не читаются; читаются окончания %1.",
    ("Import", "a folder of masks"): "папка масок",
    ("Import", "The file holds %1 data, not %2 as its name's ending says."):
        "Файл содержит данные %1, а не %2, как говорит окончание его имени.",
    ("Import", "warning: %1"): "предупреждение: %1",
    ("Import", "nothing"): "ничего",
    ("Import", "The OFF file is empty."): "Файл OFF пуст.",
    ("Import", "Only OFF files of three-dimensional points are read; this one starts with %1."):
        "Читаются только файлы OFF трёхмерных точек; этот начинается с %1.",
    ("Import", "The OFF file ends before its vertex and face counts."):
        "Файл OFF кончается до чисел вершин и граней.",
    ("Import", "The OFF file does not start with its vertex and face counts."):
        "Файл OFF не начинается с чисел вершин и граней.",
    ("Import", "The file declares %1 vertices and %2 faces, more than its %3 bytes can hold."):
        "Файл объявляет %1 вершин и %2 граней, больше, чем вмещают его %3 байт.",
    ("Import", "The OFF file ends after %1 of its %2 vertices."):
        "Файл OFF кончается после %1 из %2 вершин.",
    ("Import", "Vertex %1 of the OFF file has %2 where a coordinate should be."):
        "Вершина %1 файла OFF содержит %2 там, где должна быть координата.",
    ("Import", "Face %1 of the OFF file does not start with its corner count."):
        "Грань %1 файла OFF не начинается с числа углов.",
    ("Import", "Face %1 of the OFF file lists fewer corners than its count %2."):
        "Грань %1 файла OFF перечисляет меньше углов, чем её число %2.",
    ("Import", "Face %1 of the OFF file names vertex %2; the file has %3 vertices."):
        "Грань %1 файла OFF ссылается на вершину %2; в файле %3 вершин.",
    ("Import", "The OFF file ends after %1 of its %2 faces."):
        "Файл OFF кончается после %1 из %2 граней.",
    ("Import", "%1 faces of fewer than three corners (points and lines) were left out."):
        "Пропущено граней менее чем с тремя углами (точек и линий): %1.",
    ("Import", "The PLY header names the type %1, which is not a PLY type."):
        "Заголовок PLY называет тип %1, которого нет в PLY.",
    ("Import", "The PLY format %1 is not one of ascii, binary_little_endian and binary_big_endian."):
        "Формат PLY %1 не является ни ascii, ни binary_little_endian, ни binary_big_endian.",
    ("Import", "The PLY header declares a property before any element."):
        "Заголовок PLY объявляет свойство раньше любого элемента.",
    ("Import", "The PLY element %1 has more than %2 properties."):
        "У элемента PLY %1 больше %2 свойств.",
    ("Import", "The PLY list %1 is counted by a type that is not whole numbers."):
        "Длина списка PLY %1 задана нецелым типом.",
    ("Import", "The PLY header declares more than %1 elements."):
        "Заголовок PLY объявляет больше %1 элементов.",
    ("Import", "The PLY element %1 has no count of 0 or more."):
        "У элемента PLY %1 нет числа, равного 0 или больше.",
    ("Import", "The file does not start with \"ply\"; it is not a PLY file."):
        "Файл не начинается с \"ply\"; это не файл PLY.",
    ("Import", "The PLY header has no format line."): "В заголовке PLY нет строки format.",
    ("Import", "Line %1 of the PLY header is not understood: %2"):
        "Строка %1 заголовка PLY непонятна: %2",
    ("Import", "The PLY header has no end_header line."): "В заголовке PLY нет строки end_header.",
    ("Import", "The line of %1 holds more values than the PLY header declares."):
        "Строка %1 содержит больше значений, чем объявляет заголовок PLY.",
    ("Import", "The PLY file ends inside %1."): "Файл PLY кончается внутри %1.",
    ("Import", "The line of %1 ends before the values the PLY header declares."):
        "Строка %1 кончается раньше значений, объявленных заголовком PLY.",
    ("Import", "The PLY file has %1 in %2, where a number should be."):
        "Файл PLY содержит %1 в %2 там, где должно быть число.",
    ("Import", "The file declares %1 %2 elements, more than its %3 bytes can hold."):
        "Файл объявляет %1 элементов %2, больше, чем вмещают его %3 байт.",
    ("Import", "The PLY list %1 in %2 says it has %3 values; the file cannot hold them."):
        "Список PLY %1 в %2 объявляет %3 значений; файл не может их вместить.",
    ("Import", "The PLY vertices have no %1 coordinate."): "У вершин PLY нет координаты %1.",
    ("Import", "The PLY faces have no vertex_indices list."):
        "У граней PLY нет списка vertex_indices.",
    ("Import", "The PLY face corners are not whole numbers."):
        "Углы граней PLY заданы не целыми числами.",
    ("Import", "Face %1 of the PLY file names vertex %2; the file has %3 vertices."):
        "Грань %1 файла PLY ссылается на вершину %2; в файле %3 вершин.",
    ("Import", "The PLY faces come before the vertices they name."):
        "Грани PLY идут раньше вершин, на которые ссылаются.",
    ("Import", "The STL file ends inside facet %1."): "Файл STL кончается внутри грани %1.",
    ("Import", "Facet %1 of the STL file has %2 where \"%3\" should be."):
        "Грань %1 файла STL содержит %2 там, где должно быть \"%3\".",
    ("Import", "Facet %1 of the STL file has %2 corners; a facet has three."):
        "У грани %1 файла STL %2 углов; у грани их три.",
    ("Import", "The STL file has %1 where \"solid\" should be."):
        "Файл STL содержит %1 там, где должно быть \"solid\".",
    ("Import", "The STL file is empty."): "Файл STL пуст.",
    ("Import", "The glTF file nests its brackets more than %1 deep."):
        "Скобки файла glTF вложены глубже %1 уровней.",
    ("Import", "%1 has a %2 that is not a whole number of 0 or more."):
        "%1: %2 не является целым числом, равным 0 или больше.",
    ("Import", "Buffer %1"): "Буфер %1",
    ("Import", "%1 declares %2 bytes; its data holds %3."):
        "%1 объявляет %2 байт; его данные содержат %3.",
    ("Import", "%1 names a file that is not there: %2"): "%1 ссылается на отсутствующий файл: %2",
    ("Import", "Buffer view %1"): "Вид буфера %1",
    ("Import", "%1 names a buffer the file does not have."):
        "%1 ссылается на буфер, которого нет в файле.",
    ("Import", "%1 reaches past the end of its buffer."): "%1 выходит за конец своего буфера.",
    ("Import", "%1 has a byte stride of %2; a stride is a multiple of 4 from 4 to 252."):
        "У %1 шаг %2 байт; шаг кратен 4 и лежит от 4 до 252.",
    ("Import", "The corners of %1 are not unsigned whole numbers."):
        "Вершины углов в %1 заданы не целыми числами без знака.",
    ("Import", "Corner 0 of %1 names vertex 0; there are 0 positions."):
        "Угол 0 в %1 ссылается на вершину 0; вершин нет.",
    ("Import", "The corners of %1 cannot be read: its buffer is shorter than it says."):
        "Углы в %1 не прочесть: буфер короче заявленного.",
    ("Import", "Corner %1 of %2 names vertex %3; there are %4 positions."):
        "Угол %1 в %2 ссылается на вершину %3; вершин всего %4.",
    ("Import", "its component type or element type is not one of glTF's"):
        "его тип компонент или элементов не из glTF",
    ("Import", "it declares %1 elements and no data for them"):
        "он объявляет %1 элементов без данных для них",
    ("Import", "it names a buffer view the file does not have"):
        "он ссылается на вид буфера, которого нет в файле",
    ("Import", "it declares %1 elements, more than its buffer view's %2 bytes can hold"):
        "он объявляет %1 элементов, больше, чем вмещают %2 байт его вида буфера",
    ("Import", "Accessor %1"): "Аксессор %1",
    ("Import", "sparse accessors are not read"): "разреженные аксессоры не читаются",
    ("Import", "Image %1"): "Изображение %1",
    ("Import", "%1 names a buffer view the file does not have."):
        "%1 ссылается на вид буфера, которого нет в файле.",
    ("Import", "Node %1 names a mesh, skin or camera the file does not have."):
        "Узел %1 ссылается на сетку, скелет или камеру, которых нет в файле.",
    ("Import", "Node %1 has a child that is not a node of its own."):
        "У узла %1 есть потомок, который не является его собственным узлом.",
    ("Import", "The nodes of the glTF file form a loop or nest more than %1 deep."):
        "Узлы файла glTF образуют цикл или вложены глубже %1 уровней.",
    ("Import", "A scene of the glTF file names a node it does not have."):
        "Сцена файла glTF ссылается на узел, которого нет в файле.",
    ("Import", "it names an accessor the file does not have"):
        "он ссылается на аксессор, которого нет в файле",
    ("Import", "The positions of %1 cannot be read: %2."): "Не удаётся прочитать положения %1: %2.",
    ("Import", "The corners of %1 cannot be read: %2."): "Не удаётся прочитать углы %1: %2.",
    ("Import", "%1 of %2 was left out: %3."): "%1 в %2 пропущен: %3.",
    ("Import", "The positions of %1 are %2 elements, not the VEC3 points a surface is made of."):
        "Положения %1 — элементы %2, а не точки VEC3, из которых состоит поверхность.",
    ("Import", "its elements are %1"): "его элементы — %1",
    ("Import", "The morph targets of %1 were left out."): "Цели морфинга %1 пропущены.",
    ("Import", "The material of %1 was left out: the file does not have it."):
        "Материал %1 пропущен: его нет в файле.",
    ("Import", "primitive %1 of mesh %2"): "примитив %1 сетки %2",
    ("Import", "The texture %1 of material %2 was left out: the file does not have it."):
        "Текстура %1 материала %2 пропущена: её нет в файле.",
    ("Import", "An accessor of the glTF file cannot be read: %1."):
        "Не удаётся прочитать аксессор файла glTF: %1.",
    ("Import", "The glTF file is not valid JSON: %1 at byte %2."):
        "Файл glTF не является правильным JSON: %1 в байте %2.",
    ("Import", "The glTF file's JSON is not an object."): "JSON файла glTF не является объектом.",
    ("Import", "The file names %1; a file may only name files in its own folder."):
        "Файл ссылается на %1; файл может ссылаться только на файлы своей папки.",
    ("Import", "The file does not start as a GLB file does."):
        "Файл начинается не так, как файл GLB.",
    ("Import", "Only GLB files of version 2 are read."): "Читаются только файлы GLB версии 2.",
    ("Import", "The GLB file says it has %1 bytes; it has %2."):
        "Файл GLB объявляет %1 байт; в нём %2.",
    ("Import", "The GLB file's first chunk is not JSON, or longer than the file."):
        "Первый блок файла GLB не JSON или длиннее файла.",
    ("Import", "A chunk of the GLB file says it has %1 bytes, more than the file holds after it."):
        "Блок файла GLB объявляет %1 байт, больше, чем файл содержит после него.",
    ("Import", "The 3MF package is not a zip file, or its table of contents is damaged."):
        "Пакет 3MF не является zip-файлом, или его оглавление повреждено.",
    ("Import", "3MF packages of more than 4 GB are not read."):
        "Пакеты 3MF больше 4 ГБ не читаются.",
    ("Import", "The 3MF part %1 is compressed by a method other than deflate."):
        "Часть 3MF %1 сжата не методом deflate.",
    ("Import", "The 3MF part %1 says it holds %2 bytes; its %3 compressed bytes cannot hold so many."):
        "Часть 3MF %1 объявляет %2 байт; её %3 сжатых байт не могут вместить столько.",
    ("Import", "The 3MF package would inflate to %1 bytes, more than %2 times its size; it is "
               "refused as a zip bomb."):
        "Пакет 3MF распаковался бы в %1 байт, больше чем в %2 раз больше его размера; он "
        "отклонён как zip-бомба.",
    ("Import", "The 3MF part %1 is too large."): "Часть 3MF %1 слишком велика.",
    ("Import", "The 3MF part %1 is damaged."): "Часть 3MF %1 повреждена.",
    ("Import", "The 3MF package has no _rels/.rels part naming its model."):
        "В пакете 3MF нет части _rels/.rels, называющей его модель.",
    ("Import", "The 3MF package's relationships name no model."):
        "Связи пакета 3MF не называют модели.",
    ("Import", "The 3MF package has no model part %1."): "В пакете 3MF нет части модели %1.",
    ("Import", "The file's nodes nest more than %1 deep."):
        "Узлы файла вложены глубже %1 уровней.",
    ("Import", "This is not a NIfTI file: its header lacks the NIfTI mark."):
        "Это не файл NIfTI: в его заголовке нет метки NIfTI.",
    ("Import", "The header says the voxels start at byte %1, which is not after the header."):
        "Заголовок говорит, что вокселы начинаются с байта %1, а это не после заголовка.",
    ("Import", "%1 cells of a type that is not read (the first of type %2) were left out."):
        "Пропущено ячеек нечитаемого типа (первая типа %2): %1.",
    ("Import", "The volume's dimensions must be positive; one is %1."):
        "Размеры объёма должны быть положительными; один из них равен %1.",
    ("Import", "The volume's dimensions are too large to hold in memory."):
        "Размеры объёма слишком велики, чтобы уместить его в памяти.",
    ("Import", "The volume's voxel spacing is zero or not a number."):
        "Шаг вокселов объёма равен нулю или не является числом.",
    ("Import", "The volume puts its voxels %1 mm apart or away; its spacing or placement is "
               "damaged."):
        "Объём ставит вокселы на %1 мм друг от друга или от начала; его шаг или положение "
        "повреждены.",
    ("Import", "element %1 has the value type %2 where DS belongs"):
        "элемент %1 имеет тип значения %2 там, где должен быть DS",
    ("Import", "an end mark claims %1 bytes; it holds none"):
        "метка конца заявляет %1 байт, хотя не содержит ничего",
    ("Import", "%1 voxels hold no number; they show black and count in no statistic."):
        "Вокселов без числового значения: %1; они показаны чёрными и не входят в статистику.",
    ("Import", "The file holds %1 volumes; a label map or an image is one."):
        "Файл содержит %1 объёмов; карта меток или изображение — один объём.",
    ("Import", "The voxel type %1 is not one a label map or an image has."):
        "Тип вокселов %1 не бывает у карт меток и изображений.",
    ("Import", "The NRRD voxel type \"%1\" is not one a label map or an image has."):
        "Тип вокселов NRRD \"%1\" не бывает у карт меток и изображений.",
    ("Import", "A volume has 3 dimensions (4 with segmentation layers); this NRRD file has "
               "%1."):
        "У объёма 3 измерения (4 со слоями сегментации); у этого файла NRRD их %1.",
    ("Import", "There is not enough memory for the volume (%1 bytes)."):
        "Недостаточно памяти для объёма (%1 байт).",
    # Structure sets (RTSTRUCT)
    ("Import", "ROI \"%1\""): "Структура «%1»",
    ("Import", "ROI %1"): "Структура %1",
    ("Import", "%1: contours of fewer than three points were left out: %2."):
        "%1: пропущены контуры менее чем из трёх точек: %2.",
    ("Import", "%1: contours with coordinates that are not finite numbers were left out: %2."):
        "%1: пропущены контуры с координатами, не являющимися конечными числами: %2.",
    ("Import", "%1: contours whose coordinates are not three per point were left out: %2."):
        "%1: пропущены контуры, у которых координат не по три на точку: %2.",
    ("Import", "%1: contours that are not closed planar were left out: %2."):
        "%1: пропущены контуры, не являющиеся замкнутыми плоскими: %2.",
    ("Import", "%1: contours that cross themselves: %2; their inside is taken by the even-odd "
               "rule."):
        "%1: самопересекающихся контуров: %2; их внутренность определена по правилу чётности.",
    ("Import", "%1: contours that do not lie in the image's slices were left out: %2."):
        "%1: пропущены контуры, не лежащие в срезах изображения: %2.",
    ("Import", "The structure set cannot be read."): "Набор структур не удаётся прочитать.",
    ("Import", "The file is not a structure set."): "Файл не является набором структур.",
    ("Import", "The structure set holds no ROI."): "В наборе структур нет ни одной структуры.",
    ("Import", "The image series the contours were drawn on cannot be opened from the file's "
               "folder (%1); the masks lie on a grid made from the contours."):
        "Серию изображений, на которой нарисованы контуры, не удаётся открыть из папки файла "
        "(%1); маски построены на сетке по контурам.",
    ("Import", "%1 has no contours; no model is made of it."):
        "%1: нет контуров; модель не создана.",
    ("Import", "%1 lies outside the image; no model is made of it."):
        "%1 лежит вне изображения; модель не создана.",
    ("Import", "%1 covers no voxel centre of the grid; no model is made of it."):
        "%1 не покрывает ни одного центра вокселя сетки; модель не создана.",
    ("Import", "Smoothing the surface of %1..."): "Сглаживание поверхности: %1...",
    ("Import", "The structure set holds no usable contour."):
        "В наборе структур нет пригодных контуров.",
    ("Import", "The contours span %1 mm at a slice spacing of %2 mm: %3 slices; at most %4 are "
               "made."):
        "Контуры занимают %1 мм при шаге срезов %2 мм: %3 срезов; допускается не более %4.",
    ("Import", "The contours span %1 × %2 × %3 mm; a grid of %4 mm would hold more than %5 "
               "voxels, or %6 in one plane."):
        "Контуры занимают %1 × %2 × %3 мм; сетка с шагом %4 мм содержала бы более %5 вокселей "
        "или более %6 в одной плоскости.",
    ("Import", "%1 (ROI %2 of %3)"): "%1 (структура %2 из %3)",
    ("Import", "No ROI of the structure set has contours that make a mask."):
        "Ни у одной структуры набора нет контуров, из которых получается маска.",
    # DICOM series
    ("Import", "The image orientation is not two perpendicular directions."):
        "Ориентация изображения не задаёт два перпендикулярных направления.",
    ("Import", "The images carry no orientation; they are shown as axial slices."):
        "У изображений нет ориентации; они показаны как аксиальные срезы.",
    ("Import", "The images carry no positions, so their order is unknown."):
        "У изображений нет положений, поэтому их порядок неизвестен.",
    ("Import", "The frames carry no positions; they are stacked in their file's order, %1 mm apart."):
        "У кадров нет положений; они сложены в порядке файла через %1 мм.",
    ("Import", "Slices at the position of another, left out: %1; one of each position was kept."):
        "Срезов в положении другого среза пропущено: %1; из каждого положения оставлен один.",
    ("Import", "Slices missing from the series: %1 (a gap of up to %2 mm where slices are %3 mm apart)."):
        "В серии не хватает срезов: %1 (промежуток до %2 мм при шаге срезов %3 мм).",
    ("Import", "The missing slices are left at the image's lowest value."):
        "Недостающие срезы заполнены наименьшим значением изображения.",
    ("Import", "The slices are unequally spaced, %1 to %2 mm apart."):
        "Срезы расположены неравномерно, от %1 до %2 мм друг от друга.",
    ("Import", "The slices are unequally spaced, %1 to %2 mm apart; they are placed at their mean spacing."):
        "Срезы расположены неравномерно, от %1 до %2 мм друг от друга; они поставлены с их средним шагом.",
    ("Import", "The slices are tilted by %1° against their planes (a gantry tilt); the image is sheared so that every slice keeps its place."):
        "Срезы наклонены на %1° к своим плоскостям (наклон гентри); изображение скошено так, что каждый срез остаётся на своём месте.",
    ("Import", "The pixel spacing %1 mm is not a usable distance."):
        "Размер пикселя %1 мм не является пригодным расстоянием.",
    ("Import", "The image position %1 mm is out of any scanner's reach."):
        "Положение изображения %1 мм вне досягаемости любого сканера.",
    ("Import", "The images carry no pixel spacing; 1 mm is assumed."):
        "У изображений нет размера пикселя; принят 1 мм.",
    ("Import", "The series has a single slice."):
        "В серии один срез.",
    ("Import", "The slice positions do not span a volume."):
        "Положения срезов не образуют объём.",
    ("Import", "element %1 has no valid value type"):
        "у элемента %1 нет допустимого типа значения",
    ("Import", "it holds nothing after its file header"):
        "после заголовка файла в нём ничего нет",
    ("Import", "The functional groups of %1 are damaged."):
        "Функциональные группы %1 повреждены.",
    ("Import", "%1 was shortened while it was read."):
        "%1 был укорочен во время чтения.",
    ("Import", "a run-length frame of its pixel data is damaged"):
        "кадр его пиксельных данных со сжатием длин серий повреждён",
    ("Import", "it ends inside an element"):
        "он обрывается внутри элемента",
    ("Import", "it ends inside element %1"):
        "он обрывается внутри элемента %1",
    ("Import", "element %1 has no length"):
        "у элемента %1 нет длины",
    ("Import", "element %1 claims %2 bytes where %3 remain"):
        "элемент %1 заявляет %2 байт, а осталось %3",
    ("Import", "an item has no end"):
        "у элемента последовательности нет конца",
    ("Import", "an item mark stands where an element belongs"):
        "метка элемента последовательности стоит на месте элемента данных",
    ("Import", "its sequences nest deeper than %1"):
        "его последовательности вложены глубже %1 уровней",
    ("Import", "a sequence holds something other than items"):
        "последовательность содержит не только элементы",
    ("Import", "an item claims %1 bytes where %2 remain"):
        "элемент последовательности заявляет %1 байт, а осталось %2",
    ("Import", "a sequence has no end"):
        "у последовательности нет конца",
    ("Import", "its compressed pixel data holds something other than fragments"):
        "его сжатые пиксельные данные содержат не только фрагменты",
    ("Import", "a fragment of its compressed pixel data claims %1 bytes where %2 remain"):
        "фрагмент его сжатых пиксельных данных заявляет %1 байт, а осталось %2",
    ("Import", "its compressed pixel data has no end"):
        "у его сжатых пиксельных данных нет конца",
    ("Import", "it cannot be opened"):
        "его нельзя открыть",
    ("Import", "it is empty"):
        "он пуст",
    ("Import", "%1 says it holds %2 frames, more than its %3 bytes can hold."):
        "%1 говорит, что содержит %2 кадров, больше, чем вмещают его %3 байт.",
    ("Import", "The header of %1 cannot be read."):
        "Заголовок %1 не читается.",
    ("Import", "The image has %1 rows and %2 columns; both must be 1 to 65534."):
        "У изображения %1 строк и %2 столбцов; оба числа должны быть от 1 до 65534.",
    ("Import", "The image has %1 bits per value; 8, 16 and 32 are read."):
        "У изображения %1 бит на значение; читаются 8, 16 и 32.",
    ("Import", "The image has %1 values per pixel; only grey images are read."):
        "У изображения %1 значений на пиксель; читаются только полутоновые изображения.",
    ("Import", "The images of the series differ in size."):
        "Изображения серии различаются по размеру.",
    ("Import", "The rescale slope %1 and intercept %2 are not usable."):
        "Наклон %1 и сдвиг %2 пересчёта значений непригодны.",
    ("Import", "The series would take %1 MB, more than the %2 MB an image may take."):
        "Серия заняла бы %1 МБ, больше допустимых для изображения %2 МБ.",
    ("Import", "%1 holds %2 bytes, fewer than its %3 frames of %4 × %5 pixels need."):
        "%1 содержит %2 байт, меньше, чем нужно его кадрам (%3) по %4 × %5 пикселей.",
    ("Import", "The pixel type %1 is not read."):
        "Тип пикселей %1 не читается.",
    ("Import", "%1 describes its image in two different ways."):
        "%1 описывает своё изображение двумя разными способами.",
    ("Import", "%1 has no pixel data (7FE0,0010)."):
        "В %1 нет данных пикселей (7FE0,0010).",
    ("Import", "The compressed pixel data of %1 is damaged; values the decoder could not read may be wrong."):
        "Сжатые данные пикселей %1 повреждены; значения, которые декодер не смог прочесть, могут быть неверны.",
    ("Import", "%1 stores %2 bits (0028,0101) of values of %3 bits (0028,0100)."):
        "%1 хранит %2 бит (0028,0101) в значениях по %3 бит (0028,0100).",
    ("Import", "%1 gives the pixel representation (0028,0103) %2; 0 (unsigned) and 1 (signed) are read."):
        "%1 указывает представление пикселей (0028,0103) %2; читаются 0 (без знака) и 1 (со знаком).",
    ("Import", "The series mixes images of the modalities %1 and %2 (0008,0060)."):
        "Серия смешивает изображения модальностей %1 и %2 (0008,0060).",
    ("Import", "The series mixes images of %1-bit and %2-bit values (0028,0100) or of signed and unsigned ones (0028,0103)."):
        "Серия смешивает изображения с %1-битными и %2-битными значениями (0028,0100) или со знаковыми и беззнаковыми (0028,0103).",
    ("Import", "The pixel data (7FE0,0010) of %1 holds %2 bytes, more than the %3 its %4 frames of %5 × %6 values of %7 bits take: the header does not describe it, and the rest is left out."):
        "Данные пикселей (7FE0,0010) %1 занимают %2 байт, больше %3, которые занимают его %4 кадров по %5 × %6 значений по %7 бит: заголовок их не описывает, остаток пропущен.",
    ("Import", "The Grid Frame Offset Vector (3004,000C) of %1 holds something other than numbers."):
        "Смещения кадров сетки (3004,000C) в %1 содержат не только числа.",
    ("Import", "The Grid Frame Offset Vector (3004,000C) of %1 holds %2 offsets for its %3 frames."):
        "Смещения кадров сетки (3004,000C) в %1 дают %2 смещений для его %3 кадров.",
    ("Import", "The element %1 of %2 reads \"%3\", not a scale its values can be multiplied or shifted by."):
        "Элемент %1 в %2 содержит «%3», а не масштаб, на который можно умножить или сдвинуть значения.",
    ("Import", "The DICOMDIR lists %1 files that are not there; the first: %2."):
        "DICOMDIR перечисляет файлы, которых нет: %1; первый: %2.",
    ("Import", "%1 is a mosaic (Image Type (0008,0008) MOSAIC) that cannot be split into its slices: %2."):
        "%1 — мозаика (Image Type (0008,0008) MOSAIC), которую нельзя разделить на срезы: %2.",
    ("Import", "its slice normal is not a direction"):
        "её нормаль к срезам не является направлением",
    ("Import", "it gives no usable count of slices in (0019,100A) or its CSA header (0029,1010)"):
        "в ней нет пригодного числа срезов ни в (0019,100A), ни в заголовке CSA (0029,1010)",
    ("Import", "its %1 × %2 pixels do not hold %3 tiles to a row"):
        "её %1 × %2 пикселей не делятся на %3 плиток в ряду",
    ("Import", "it carries no position or orientation"):
        "у неё нет положения или ориентации",
    ("Import", "it gives no slice spacing"):
        "в ней нет расстояния между срезами",
    ("Import", "The pixel spacing (0028,0030) %1 mm is not a usable distance; pixels are read up to %2 mm wide."):
        "Размер пикселя (0028,0030) %1 мм не является пригодным расстоянием; читаются пиксели шириной до %2 мм.",
    ("Import", "The slices lie %1 mm apart; slices are read up to %2 mm apart."):
        "Срезы лежат в %1 мм друг от друга; читаются срезы, лежащие не дальше %2 мм друг от друга.",
    ("Import", "The pixel data of %1 holds %2 bytes, fewer than its %3 frames of %4 × %5 pixels of %6 bits need."):
        "Пиксельные данные %1 содержат %2 байт, меньше, чем нужно его кадрам (%3) по %4 × %5 пикселей по %6 бит.",
    ("Import", "%1 cannot be read as a DICOM image."):
        "%1 не читается как изображение DICOM.",
    ("Import", "The pixel data of %1 cannot be decoded."):
        "Пиксельные данные %1 не декодируются.",
    ("Import", "The images do not say the unit of their values."):
        "Изображения не указывают единицу своих значений.",
    ("Import", "%1 is damaged: %2."):
        "%1 повреждён: %2.",
    ("Import", "%1 is not a DICOM file."):
        "%1 не является файлом DICOM.",
    ("Import", "The DICOM path does not exist."):
        "Путь DICOM не существует.",
    ("Import", "No readable DICOM image was found there."):
        "Там не найдено ни одного читаемого изображения DICOM.",
    ("Import", "Damaged files left out: %1; the first: %2"):
        "Пропущено повреждённых файлов: %1; первый: %2",
    ("Import", "The path holds %1 series; series %2 (%3), of the most slices, was read."):
        "Путь содержит серий: %1; прочитана серия %2 (%3) с наибольшим числом срезов.",
    ("Import", "There is no series %1; the path holds %2 series."):
        "Серии %1 нет; путь содержит серий: %2.",
    ("Import", "No series of the path has the UID %1."):
        "Ни у одной серии пути нет UID %1.",
    # Images of intensities
    ("Import", "This file holds surfaces, not an image."):
        "В этом файле поверхности, а не изображение.",
    ("Import", "This file holds an image, not labels."):
        "В этом файле изображение, а не метки.",
    ("Import", "A series was chosen, but this file holds one image at most."):
        "Выбрана серия, но в этом файле не более одного изображения.",
    ("Import", "The file holds %1 segmentation layers; an image has one."):
        "В файле %1 слоёв сегментации; у изображения он один.",
    ("Import", "The image's value scaling is not a finite number."):
        "Масштаб значений изображения не является конечным числом.",
    ("Import", "There is not enough memory for the image (%1 voxels)."):
        "Недостаточно памяти для изображения (%1 вокселов).",
    ("Tessaron", "%1. %2, %3 images of %4 × %5: %6"): "%1. %2, %3 изображений %4 × %5: %6",
    ("Tessaron", "no modality"): "модальность не указана",
    ("Tessaron", "The path holds %1 series. Open which one?"):
        "По этому пути %1 серий. Какую открыть?",
    ("Measurements", "%1 ± %2"): "%1 ± %2",
    ("Measurements", "no voxels"): "нет вокселов",
    ("Measurements", "HU ± SD"): "HU ± СО",
    ("Measurements", "HU p95"): "HU p95",
    ("Measurements", "HU mean"): "HU среднее",
    ("Measurements", "HU max"): "HU макс.",
    ("Measurements", "no voxel of the image lies inside the surface"):
        "ни один воксел изображения не лежит внутри поверхности",
    ("Measurements", "mean %1, SD %2, min %3, max %4, 95th percentile %5 (%6 voxels)"):
        "среднее %1, СО %2, мин. %3, макс. %4, 95-й процентиль %5 (%6 вокселов)",
    ("Measurements", "HU inside = %1"): "HU внутри = %1",
    ("SliceControl", "Slice"): "Срез",
    ("SliceControl", "No image is open."): "Изображение не открыто.",
    ("SliceControl", "Axial"): "Аксиальный",
    ("SliceControl", "Coronal"): "Корональный",
    ("SliceControl", "Sagittal"): "Сагиттальный",
    ("SliceControl", "Shown in 3-D:"): "Показан в 3D:",
    ("SliceControl", "Window"): "Окно",
    ("SliceControl", "Level"): "Уровень",
    ("SliceControl", "Soft tissue"): "Мягкие ткани",
    ("SliceControl", "Bone"): "Кость",
    ("SliceControl", "Stone"): "Камень",
    ("SliceControl", "%1  (%2, %3, %4) mm"): "%1  (%2, %3, %4) мм",
    ("SliceControl", "%1 %2  (%3, %4, %5) mm"): "%1 %2  (%3, %4, %5) мм",
    ("SliceControl", "no value  (%1, %2, %3) mm"): "нет значения  (%1, %2, %3) мм",
    ("SliceControl", "missing slice  (%1, %2, %3) mm"): "пропущенный срез  (%1, %2, %3) мм",
    ("SliceControl", "missing slice"): "пропущенный срез",
    # DICOM segmentations
    ("Import", "The segmentation gives no usable plane orientation."):
        "Сегментация не задаёт пригодной ориентации плоскостей.",
    ("Import", "The segmentation gives no pixel spacing."):
        "Сегментация не задаёт шаг пикселей.",
    ("Import", "The frame position %1 mm is out of any scanner's reach."):
        "Положение кадра %1 мм вне досягаемости любого сканера.",
    ("Import", "The segmentation's frames carry no plane positions, so they cannot be placed."):
        "Кадры сегментации не несут положений плоскостей, поэтому их нельзя разместить.",
    ("Import", "The segmentation's frames span %1 slices of %2 mm."):
        "Кадры сегментации охватывают %1 срезов по %2 мм.",
    ("Import", "Frames without a plane position, left out: %1."):
        "Кадры без положения плоскости пропущены: %1.",
    ("Import", "Frames off the grid of %1 mm slices, placed on the nearest: %2."):
        "Кадры вне сетки срезов по %1 мм, помещены на ближайший: %2.",
    ("Import", "The segmentation's frames do not span a volume."):
        "Кадры сегментации не охватывают объём.",
    ("Import", "Segment %1"): "Сегмент %1",
    ("Import", "Segment %1 (%2)"): "Сегмент %1 (%2)",
    ("Import", "its voxels would take %1 MB, more than the %2 MB allowed"):
        "его воксели заняли бы %1 МБ, больше допустимых %2 МБ",
    ("Import", "%1 frames name segment %2, which the segmentation does not describe; they are left out."):
        "%1 кадров ссылаются на сегмент %2, который сегментация не описывает; они пропущены.",
    ("Import", "%1 has no frames; it is left out."): "%1 не имеет кадров и пропущен.",
    ("Import", "%1 holds no voxels; it is left out."): "%1 не содержит вокселей и пропущен.",
    ("Import", "%1 is left out: %2"): "%1 пропущен: %2",
    ("Import", "No segment of the segmentation could be read (%1)."):
        "Не удалось прочитать ни одного сегмента сегментации (%1).",
    ("Import", "The segmentation's frames lie in planes of different orientations."):
        "Кадры сегментации лежат в плоскостях разной ориентации.",
    ("Import", "The segmentation gives per-frame positions for %1 of its %2 frames."):
        "Сегментация задаёт положения для %1 из своих %2 кадров.",
    ("Import", "The segmentation has %1 rows and %2 columns; both must be 1 to %3."):
        "У сегментации %1 строк и %2 столбцов; оба числа должны быть от 1 до %3.",
    ("Import", "The segmentation holds %1 frames; 1 to %2 are read."):
        "Сегментация содержит %1 кадров; читается от 1 до %2.",
    ("Import", "The %1 segmentation has %2 bits per pixel; %3 are read."):
        "Сегментация %1 имеет %2 бит на пиксель; читается %3.",
    ("Import", "The segmentation's pixel data holds %1 bytes, fewer than the %2 its %3 frames of %4 × %5 pixels need."):
        "Пиксельные данные сегментации содержат %1 байт, меньше %2, нужных её %3 кадрам по %4 × %5 пикселей.",
    ("Import", "The segmentation's pixel data cannot be read."):
        "Пиксельные данные сегментации не читаются.",
    ("Import", "The fractional segmentation gives no maximum fractional value."):
        "Дробная сегментация не задаёт максимальное дробное значение.",
    ("Import", "The segmentation describes no segment."): "Сегментация не описывает ни одного сегмента.",
    ("Import", "No image was read: %1"): "Изображение не прочитано: %1",
    ("Import", "%1 segments another series; it is left out."):
        "%1 размечает другую серию и пропущен.",
    ("Import", "No image and no segment could be read there."):
        "Там не удалось прочитать ни изображения, ни сегмента.",
    ("Measurements", "Code (%1) = %2 %3 %4"): "Код (%1) = %2 %3 %4",
    ("Import", "The segmentation's pixels would take %1 MB, more than the %2 MB an image may take."):
        "Пиксели сегментации заняли бы %1 МБ, больше %2 МБ, допустимых для изображения.",
    ("Import", "no file meta group follows its DICM mark"):
        "за меткой DICM не следует группа метаинформации файла",
    ("Import", "its file meta group holds a sequence"):
        "группа метаинформации файла содержит последовательность",
    # The viewer's command line
    ("Startup", "usage: tessaron [--full-drawing] [FILE...]\n"
        "\n"
        "Opens the named files as if they were dropped on the view (.surf surfaces,\n"
        ".hx scenes, mesh files, label maps, CT images, DICOM files and folders of a\n"
        "CT series, structure sets and segmentations, folders of masks) and frames\n"
        "them; a .tsn planning session opens as it was saved. Without files, offers\n"
        "to reopen the last file and opens the first .hx scene of the working folder.\n"
        "\n"
        "options:\n"
        "  --full-drawing  draws large models whole while they turn\n"
        "  -h, --help      prints this help and exits\n"
        "  --version       prints the version and exits\n"):
        "использование: tessaron [--full-drawing] [ФАЙЛ...]\n"
        "\n"
        "Открывает названные файлы, как если бы их бросили на вид (поверхности .surf,\n"
        "сцены .hx, файлы сеток, карты меток, изображения КТ, файлы и папки DICOM\n"
        "серии КТ, наборов структур и сегментаций, папки масок), и показывает их\n"
        "целиком; сеанс планирования .tsn открывается таким, каким был сохранён.\n"
        "Без файлов предлагает снова открыть последний файл и открывает первую\n"
        "сцену .hx рабочей папки.\n"
        "\n"
        "параметры:\n"
        "  --full-drawing  рисует большие модели целиком и при вращении\n"
        "  -h, --help      выводит эту справку и завершает работу\n"
        "  --version       выводит версию и завершает работу\n",
    # Planning sessions
    ("MainWindow", "Open Session..."): "Открыть сеанс...",
    ("MainWindow", "Save Session..."): "Сохранить сеанс...",
    ("Tessaron", "Sessions (*%1)"): "Сеансы (*%1)",
    ("Tessaron", "Save Session"): "Сохранить сеанс",
    ("Tessaron", "Open Session"): "Открыть сеанс",
    ("Tessaron", "Opening session %1..."): "Открывается сеанс %1...",
    ("Tessaron", "There is nothing to save: a session holds models and an image that were "
                 "opened from files."):
        "Сохранять нечего: сеанс хранит модели и изображение, открытые из файлов.",
    ("Tessaron", "These models were made in the window and have no file, so the session does "
                 "not hold them; save them and save the session again: %1"):
        "Эти модели созданы в окне и не имеют файла, поэтому сеанс их не хранит; сохраните их "
        "и сохраните сеанс снова: %1",
    ("Import", "The file does not exist."): "Файл не существует.",
    ("Import", "A session names model files, not other sessions."):
        "Сеанс называет файлы моделей, а не другие сеансы.",
    ("Import", "The file holds no model named %1."): "В файле нет модели с именем %1.",
    ("Session", "%1 %2"): "%1 %2",
    ("Session", "must be a number"): "должно быть числом",
    ("Session", "must be from %1 to %2"): "должно быть от %1 до %2",
    ("Session", "must be true or false"): "должно быть true или false",
    ("Session", "must be a string"): "должно быть строкой",
    ("Session", "must be an object"): "должно быть объектом",
    ("Session", "must be a list"): "должно быть списком",
    ("Session", "must hold %1 numbers"): "должно содержать %1 чисел",
    ("Session", "must be one of %1"): "должно быть одним из: %1",
    ("Session", "must name a file"): "должно называть файл",
    ("Session", "must not be zero"): "не должно быть нулевым",
    ("Session", "must hold numbers from 0 to 255"): "должно содержать числа от 0 до 255",
    ("Session", "must look from its position to a different focal point, with view_up across "
                "the line of sight"):
        "должна смотреть из своего положения на другую точку фокуса, а view_up должен идти "
        "поперёк линии взгляда",
    ("Session", "This is not a Tessaron session: it has no \"tessaron_session\" version."):
        "Это не сеанс Tessaron: в нём нет версии \"tessaron_session\".",
    ("Session", "The session is of version %1; this Tessaron reads version %2."):
        "Сеанс версии %1; этот Tessaron читает версию %2.",
    ("Session", "The session is not valid JSON: %1 at byte %2."):
        "Сеанс не является правильным JSON: %1 в байте %2.",
    ("Session", "The file is %1 bytes, more than any session holds."):
        "Файл размером %1 байт, больше любого сеанса.",
    # Hostile and contradictory files (issue 39)
    ("Import", "Two segments have the number %1; the one labelled \"%2\" is left out."):
        "У двух сегментов номер %1; сегмент с меткой «%2» пропущен.",
    ("Import", "The segmentation has per-frame items for %1 frames but Number of Frames "
               "(0028,0008) says %2; %2 are read."):
        "В сегментации покадровые элементы для %1 кадров, но Number of Frames (0028,0008) "
        "указывает %2; читается %2.",
    ("Import", "The segmentation states no Number of Frames (0028,0008); it has per-frame items "
               "for %1 frames and pixel data for %2; %3 are read."):
        "В сегментации нет Number of Frames (0028,0008); покадровых элементов на %1 кадров, "
        "пиксельных данных на %2; читается %3.",
    ("Import", "The segmentation's Spacing Between Slices (0018,0088) of %1 mm contradicts its "
               "frames' positions, %2 mm apart; the positions are used."):
        "Spacing Between Slices (0018,0088) сегментации, %1 мм, противоречит положениям её "
        "кадров, отстоящих на %2 мм; используются положения.",
    ("Import", "%1 has no frames"): "%1 не имеет кадров",
    ("Import", "%1 holds no voxels"): "%1 не содержит вокселей",
    ("Import", "%1: %2"): "%1: %2",
    ("Import", "its surface would have %1 million voxel faces; Tessaron makes surfaces of up to "
               "%2 million"):
        "его поверхность имела бы %1 млн граней вокселей; Tessaron строит поверхности "
        "не более чем из %2 млн",
    ("Import", "This is a system file, not a model or image file."):
        "Это системный файл, а не файл модели или изображения.",
    ("Import", "This folder holds no label maps or DICOM images."):
        "В этой папке нет карт меток и изображений DICOM.",
    ("Import", "Files of this kind are not opened; the endings read are %1."):
        "Файлы этого вида не открываются; читаются окончания %1.",
    ("Import", "This is a device or a pipe, not a file."):
        "Это устройство или канал, а не файл.",
    ("Import", "a %1 frame holds %2 × %3 pixels where Columns (0028,0011) and Rows (0028,0010) "
               "say %4 × %5"):
        "кадр %1 содержит %2 × %3 пикселей, а Columns (0028,0011) и Rows (0028,0010) "
        "указывают %4 × %5",
    ("Import", "a %1 frame has %2 components; grey images of one are read"):
        "кадр %1 имеет %2 компонент; читаются полутоновые изображения с одной",
    ("Import", "a %1 frame has %2 bits per pixel where Bits Allocated (0028,0100) says %3"):
        "кадр %1 имеет %2 бит на пиксель, а Bits Allocated (0028,0100) указывает %3",
    ("Import", "a compressed frame has no readable frame header"):
        "у сжатого кадра нет читаемого заголовка кадра",
    ("Import", "The image of %1 would need %2 GB decoded; Tessaron decodes up to %3 GB of one "
               "file."):
        "Изображению %1 после декодирования потребовалось бы %2 ГБ; Tessaron декодирует "
        "не более %3 ГБ из одного файла.",
    ("Import", "The image would need %1 GB, its voxels and the decoded pixels of one compressed "
               "file; Tessaron opens images up to %2 GB."):
        "Изображению потребовалось бы %1 ГБ на воксели и декодированные пиксели одного сжатого "
        "файла; Tessaron открывает изображения не более %2 ГБ.",
    ("Import", "its deflated data inflates to more than the %1 MB its header needs"):
        "его сжатые данные распаковываются в объём больше %1 МБ, нужных по заголовку",
    ("Import", "%1: contours given twice were left out: %2."):
        "%1: повторённые контуры пропущены: %2.",
    ("Import", "Contours name ROI number %1 (Referenced ROI Number (3006,0084)), which the "
               "Structure Set ROI Sequence does not list; they are read as \"%2\"."):
        "Контуры ссылаются на структуру номер %1 (Referenced ROI Number (3006,0084)), которой "
        "нет в Structure Set ROI Sequence; они прочитаны как «%2».",
    ("Import", "ROI \"%1\" is left out: %2"): "Структура «%1» пропущена: %2",
    ("Session", "This is not a regular file, so it holds no session."):
        "Это не обычный файл, поэтому в нём нет сеанса.",
    # The stone finder and the label maps it writes.
    ("Stones", "stones are found on a CT in Hounsfield units"):
        "камни ищутся на КТ в единицах Хаунсфилда",
    ("Stones", "the box x %1, y %2, z %3 mm lies outside the image, which spans x %4, y %5, z %6 mm"):
        "область x %1, y %2, z %3 мм лежит вне изображения, которое занимает x %4, y %5, z %6 мм",
    ("Stones", "the models given enclose no voxel of the image"):
        "указанные модели не содержат ни одного вокселя изображения",
    ("Stones", "%1 mm long along the image's %2 axis: larger than any stone (bone, or contrast)"):
        "%1 мм в длину вдоль оси %2 изображения: больше любого камня (кость или контраст)",
    ("LabelMapWriter", "%1: the grid is too large for a label map"):
        "%1: сетка слишком велика для карты меток",
    ("LabelMapWriter", "%1: cannot be written: %2"):
        "%1: не удаётся записать: %2",
    # Stones found in the window: the Slice panel's stones part and its searches.
    ("MainWindow", "Find Stones"): "Найти камни",
    ("BackgroundJob", "Cancel"): "Отмена",
    ("BackgroundJob", "Please wait"): "Подождите",
    ("StoneFinding", "Open a CT to find stones in it."): "Откройте КТ, чтобы найти на ней камни.",
    ("StoneFinding", "Stones are found on a CT in Hounsfield units."):
        "Камни ищутся на КТ в единицах Хаунсфилда.",
    ("StoneFinding", "A stone search is still running."): "Поиск камней ещё идёт.",
    ("StoneFinding", "Finding stones in the box..."): "Поиск камней в области...",
    ("StoneFinding", "Finding stones within %1 mm of the kidneys, collecting systems and ureters..."):
        "Поиск камней в пределах %1 мм от почек, чашечно-лоханочных систем и мочеточников...",
    ("StoneFinding", "Finding stones in the whole image..."): "Поиск камней во всём изображении...",
    ("StoneFinding", "Not enough memory to find the stones."): "Недостаточно памяти для поиска камней.",
    ("StoneFinding", "Segmenting the stone at %1 mm..."): "Выделение камня в точке %1 мм...",
    ("StoneFinding", "Segmenting the stone..."): "Выделение камня...",
    ("StoneFinding", "Not enough memory to segment the stone."):
        "Недостаточно памяти для выделения камня.",
    ("StoneFinding", "No stone of %1 HU or more in the region."):
        "В области нет камней плотностью %1 HU и более.",
    ("StoneFinding", "Stones found: %1, %2 mm³ in all."): "Найдено камней: %1, всего %2 мм³.",
    ("StoneFinding", "Left out as too large for a stone: %1."):
        "Пропущено как слишком большое для камня: %1.",
    ("StoneFinding", "No stone here: no voxel of %1 HU or more within 3 mm, or only a region too "
                     "large for a stone."):
        "Здесь нет камня: в пределах 3 мм нет вокселей плотностью %1 HU и более или есть только "
        "область, слишком большая для камня.",
    ("StoneFinding", "Stone #%1 is listed already."): "Камень №%1 уже в списке.",
    ("StoneFinding", "Stone #%1 picked: %2 mm³."): "Выделен камень №%1: %2 мм³.",
    ("StoneFinding", "Stone #%1: centre %2 mm, %3 mm³."): "Камень №%1: центр %2 мм, %3 мм³.",
    ("StoneFinding", "Stone #%1"): "Камень №%1",
    ("StoneFinding", "Stone #%1 at %2 mm"): "Камень №%1 в точке %2 мм",
    ("StonesBox", "Find Stones"): "Найти камни",
    ("StonesBox", "Stone Pick"): "Выбор камня",
    ("StonesBox", "A click on a bright spot of the slice segments that stone."):
        "Щелчок по яркому пятну среза выделяет этот камень.",
    ("StonesBox", "Box"): "Область",
    ("StonesBox", "A drag on the slice sets the box a search stays in."):
        "Протяжка по срезу задаёт область, в которой идёт поиск.",
    ("StonesBox", "Clear Box"): "Убрать область",
    ("StonesBox", " HU"): " HU",
    ("StonesBox", "A stone's voxels are at or above this level."):
        "Воксели камня не ниже этого уровня.",
    ("StonesBox", "#"): "№",
    ("StonesBox", "Volume, mm³"): "Объём, мм³",
    ("StonesBox", "Diameters, mm"): "Диаметры, мм",
    ("StonesBox", "Axial, mm"): "Аксиальный, мм",
    ("StonesBox", "HU mean"): "HU средн.",
    ("StonesBox", "HU peak"): "HU пик",
    ("StonesBox", "Side"): "Сторона",
    ("StonesBox", "Skin, mm"): "До кожи, мм",
    ("StonesBox", "SWL skin, mm"): "До кожи (ДУВЛ), мм",
    ("StonesBox", "Region: the box."): "Область поиска: заданная область.",
    ("StonesBox", "Region: within %1 mm of the kidneys, collecting systems and ureters."):
        "Область поиска: в пределах %1 мм от почек, чашечно-лоханочных систем и мочеточников.",
    ("StonesBox", "Region: the whole image, bone left out."):
        "Область поиска: всё изображение, кроме костей.",
    ("StonesBox", "left"): "левая",
    ("StonesBox", "right"): "правая",
    ("StonesBox", "%1 × %2 × %3"): "%1 × %2 × %3",
    # The plan as one web page
    ("MainWindow", "Export"): "Экспорт",
    ("MainWindow", "Web page (%1)..."): "Веб-страница (%1)...",
    ("Tessaron", "Export web page"): "Экспорт веб-страницы",
    ("Tessaron", "Web page (%1)"): "Веб-страница (%1)",
    ("Tessaron", "Writing the web page..."): "Запись веб-страницы...",
    ("Tessaron", "The web page is written to %1"): "Веб-страница записана в %1",
    ("WebPage", "en"): "ru",
    ("WebPage", "3-D view of the plan"): "Трёхмерный вид плана",
    ("WebPage", "Reset view"): "Исходный вид",
    ("WebPage", "Models"): "Модели",
    ("WebPage", "Measurements"): "Измерения",
    ("WebPage", "Opacity of %1"): "Непрозрачность: %1",
    ("WebPage", "The plan has more than %1 triangles: every large surface is shown in "
                "reduced form (%2 triangles in all)."):
        "В плане больше %1 треугольников: крупные поверхности показаны в упрощённом виде "
        "(всего %2 треугольников).",
    ("WebPage", "this build of Tessaron carries no 3-D library for web pages "
                "(scripts/install-deps.sh installs it; then build again)"):
        "в этой сборке Tessaron нет трёхмерной библиотеки для веб-страниц "
        "(её устанавливает scripts/install-deps.sh; затем соберите программу заново)",
}
