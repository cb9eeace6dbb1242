#!/usr/bin/env python3
"""Writes the language files resources/lang/LANG1 (Russian), LANG2 (Ukrainian) and LANG3
(English; Str800-Str855 in Chinese) from the tables below.

Format: UTF-16 little-endian with the FF FE mark, CR LF line ends, the bare section header,
then one quoted "key=text" entry per line (a quote inside a text is doubled).

Usage: make_lang.py [--check]   (--check: fail if the files on disk differ; write nothing)
"""

import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
OUT_DIR = ROOT / "resources" / "lang"


def span(first, last):
    return [f"Str{n:03d}" for n in range(first, last + 1)]


# The text keys every file carries, ascending; LANG3 has no Str311.
KEYS = (span(0, 5) + span(7, 17) + span(20, 20) + span(100, 104) + span(106, 109) +
        span(200, 208) + span(210, 214) + span(220, 226) + span(230, 233) + span(240, 243) +
        span(250, 256) + span(260, 266) + span(300, 311) + span(400, 402) + span(404, 418) +
        span(420, 422) + ["Str430", "Str432", "Str433"] + span(435, 437) + span(440, 448) +
        span(500, 502) + span(510, 512) + span(520, 523) + span(600, 606) + span(610, 614) +
        ["Str620", "Str621"] + span(700, 702) + span(800, 855))

# Language names stay in their own language in every file, so that a user who cannot read
# the current language still finds theirs.
LANGUAGE_NAMES = {"Str011": "Русский", "Str012": "Українська", "Str013": "English"}

# key: (English, Russian, Ukrainian)
TEXTS = {
    "Str000": ("Confirm", "Подтвердить", "Підтвердити"),
    "Str001": ("Apply", "Применить", "Застосувати"),
    "Str002": ("Default 1", "По умолчанию 1", "Типові 1"),
    "Str003": ("Default", "По умолчанию", "Типові"),
    "Str004": ("Office Mode", "Офисный режим", "Офісний режим"),
    "Str005": ("Game Mode", "Игровой режим", "Ігровий режим"),
    "Str007": ("Advanced", "Дополнительно", "Додатково"),
    "Str008": ("Light", "Подсветка", "Підсвічування"),
    "Str009": ("Save Profile", "Сохранить", "Зберегти"),
    "Str010": ("Load Profile", "Загрузить", "Завантажити"),
    "Str014": ("Macro", "Макросы", "Макроси"),
    "Str015": ("Default 2", "По умолчанию 2", "Типові 2"),
    "Str016": ("Default 3", "По умолчанию 3", "Типові 3"),
    "Str017": ("Read", "Считать", "Зчитати"),
    "Str020": ("Finding the specified device", "Поиск указанного устройства",
               "Пошук зазначеного пристрою"),
    "Str100": ("No Device Found", "Устройство не найдено", "Пристрій не знайдено"),
    "Str101": ("Please check your device is attached to USB port",
               "Проверьте, подключено ли устройство к порту USB",
               "Перевірте, чи під'єднано пристрій до порту USB"),
    "Str102": ("VornikData.bin file type error", "Неверный тип файла TamrikData.bin",
               "Неправильний тип файлу TamrikData.bin"),
    "Str103": ("Macro bin length out of range", "Длина макроса вне допустимого диапазона",
               "Довжина макросу поза допустимим діапазоном"),
    "Str104": ("EEPROM space shortage", "Недостаточно места в EEPROM",
               "Недостатньо місця в EEPROM"),
    "Str106": ("This macro already exists", "Такой макрос уже существует",
               "Такий макрос уже існує"),
    "Str107": ("The mouse manufacturer or product id error",
               "Неверный идентификатор производителя или продукта мыши",
               "Неправильний ідентифікатор виробника або продукту миші"),
    "Str108": ("Please keep a Left Key", "Оставьте хотя бы одну левую кнопку",
               "Залиште хоча б одну ліву кнопку"),
    "Str109": ("Fail", "Ошибка", "Помилка"),
    "Str200": ("*", "*", "*"),
    "Str201": ("Standard Mouse Key", "Стандартные кнопки мыши", "Стандартні кнопки миші"),
    "Str202": ("Special Key", "Специальные клавиши", "Спеціальні клавіші"),
    "Str203": ("Media Fn", "Мультимедиа", "Мультимедіа"),
    "Str204": ("WWW Fn", "Интернет", "Інтернет"),
    "Str205": ("User-defined", "Пользовательская", "Користувацька"),
    "Str206": ("Base Macro", "Обычный макрос", "Звичайний макрос"),
    "Str207": ("PC Fn", "Функции ПК", "Функції ПК"),
    "Str208": ("Fire Macro", "Макрос стрельбы", "Макрос стрільби"),
    "Str210": ("Left Key", "Левая кнопка", "Ліва кнопка"),
    "Str211": ("Right Key", "Правая кнопка", "Права кнопка"),
    "Str212": ("Middle Key", "Средняя кнопка", "Середня кнопка"),
    "Str213": ("Back", "Назад", "Назад"),
    "Str214": ("Forward", "Вперёд", "Вперед"),
    "Str220": ("Fire Key", "Кнопка стрельбы", "Кнопка стрільби"),
    "Str221": ("LED Switch", "Вкл./выкл. подсветки", "Увімк./вимк. підсвічування"),
    "Str222": ("AIM Key", "Кнопка прицеливания", "Кнопка прицілювання"),
    "Str223": ("Gun Key Fn", "Кнопка оружия Fn", "Кнопка зброї Fn"),
    "Str224": ("Key Off", "Отключить кнопку", "Вимкнути кнопку"),
    "Str225": ("KB Switch Key", "Смена режима кнопок", "Зміна режиму кнопок"),
    "Str226": ("LED Switch Key", "Смена режима подсветки", "Зміна режиму підсвічування"),
    "Str230": ("DPI Key", "Кнопка DPI", "Кнопка DPI"),
    "Str231": ("DPI Loop", "DPI по кругу", "DPI по колу"),
    "Str232": ("DPI +", "DPI +", "DPI +"),
    "Str233": ("DPI -", "DPI -", "DPI -"),
    "Str240": ("My Computer", "Мой компьютер", "Мій комп'ютер"),
    "Str241": ("Calculator", "Калькулятор", "Калькулятор"),
    "Str242": ("E-Mail", "Эл. почта", "Ел. пошта"),
    "Str243": ("Desktop", "Рабочий стол", "Робочий стіл"),
    "Str250": ("Play/Pause", "Воспроизведение/пауза", "Відтворення/пауза"),
    "Str251": ("Stop", "Стоп", "Стоп"),
    "Str252": ("Previous Track", "Предыдущий трек", "Попередній трек"),
    "Str253": ("Next Track", "Следующий трек", "Наступний трек"),
    "Str254": ("Volume +", "Громкость +", "Гучність +"),
    "Str255": ("Volume -", "Громкость -", "Гучність -"),
    "Str256": ("Mute", "Без звука", "Вимкнути звук"),
    "Str260": ("Home", "Домашняя страница", "Домашня сторінка"),
    "Str261": ("Search", "Поиск", "Пошук"),
    "Str262": ("www Back", "Браузер: назад", "Браузер: назад"),
    "Str263": ("www Forward", "Браузер: вперёд", "Браузер: вперед"),
    "Str264": ("Stop", "Остановить загрузку", "Зупинити завантаження"),
    "Str265": ("Refresh", "Обновить", "Оновити"),
    "Str266": ("Favorites", "Избранное", "Обране"),
    "Str400": ("Record", "Запись", "Запис"),
    "Str401": ("Stop", "Стоп", "Стоп"),
    "Str402": ("Rename", "Переименовать", "Перейменувати"),
    "Str404": ("Export One", "Экспорт одного", "Експорт одного"),
    "Str405": ("Export All", "Экспорт всех", "Експорт усіх"),
    "Str406": ("Import One", "Импорт одного", "Імпорт одного"),
    "Str407": ("Import All", "Импорт всех", "Імпорт усіх"),
    "Str408": ("Delete", "Удалить", "Видалити"),
    "Str409": ("Insert", "Вставить", "Вставити"),
    "Str410": ("Insert Delay Front", "Вставить задержку перед", "Вставити затримку перед"),
    "Str411": ("Insert Delay Back", "Вставить задержку после", "Вставити затримку після"),
    "Str412": ("Insert Key Front", "Вставить клавишу перед", "Вставити клавішу перед"),
    "Str413": ("Insert Key Back", "Вставить клавишу после", "Вставити клавішу після"),
    "Str414": ("Record Delay", "Записанная задержка", "Записана затримка"),
    "Str415": ("Default Delay", "Задержка по умолчанию", "Типова затримка"),
    "Str416": ("No Delay", "Без задержки", "Без затримки"),
    "Str417": ("Delay Time", "Время задержки", "Час затримки"),
    "Str418": ("ms", "мс", "мс"),
    "Str420": ("OK", "OK", "OK"),
    "Str421": ("OK", "OK", "OK"),
    "Str422": ("Cancel", "Отмена", "Скасувати"),
    "Str430": ("OK for clear macro?", "Очистить макрос?", "Очистити макрос?"),
    "Str432": ("New Macro", "Новый макрос", "Новий макрос"),
    "Str433": ("Delect Macro", "Удалить макрос", "Видалити макрос"),
    "Str435": ("Edit", "Изменить", "Змінити"),
    "Str436": ("Release Key for Stop", "Стоп при отпускании", "Стоп при відпусканні"),
    "Str437": ("Release Key for Continue", "Продолжать после отпускания",
               "Продовжувати після відпускання"),
    "Str440": ("Insert X axis Front", "Вставить ось X перед", "Вставити вісь X перед"),
    "Str441": ("Insert X axis Back", "Вставить ось X после", "Вставити вісь X після"),
    "Str442": ("Insert Y axis Front", "Вставить ось Y перед", "Вставити вісь Y перед"),
    "Str443": ("Insert Y axis Back", "Вставить ось Y после", "Вставити вісь Y після"),
    "Str444": ("X axis value", "Значение по оси X", "Значення по осі X"),
    "Str445": ("Y axis value", "Значение по оси Y", "Значення по осі Y"),
    "Str446": ("Insert Start Repeat", "Вставить начало повтора", "Вставити початок повтору"),
    "Str447": ("Insert Stop Repeat", "Вставить конец повтора", "Вставити кінець повтору"),
    "Str448": ("Repeat Number", "Число повторов", "Кількість повторів"),
    "Str500": ("Assembly Key", "Комбинация клавиш", "Комбінація клавіш"),
    "Str501": ("Confirm", "Подтвердить", "Підтвердити"),
    "Str502": ("Clear", "Очистить", "Очистити"),
    "Str510": ("Macro Name", "Имя макроса", "Назва макросу"),
    "Str511": ("OK", "OK", "OK"),
    "Str512": ("Cancel", "Отмена", "Скасувати"),
    "Str520": ("Input One Key", "Введите одну клавишу", "Введіть одну клавішу"),
    "Str521": ("Input Delay Time", "Введите время задержки", "Введіть час затримки"),
    "Str522": ("Please Select One Color", "Выберите цвет", "Виберіть колір"),
    "Str523": ("Input Value", "Введите значение", "Введіть значення"),
    "Str600": ("AKM Fire", "Стрельба AKM", "Стрільба AKM"),
    "Str601": ("M16 Fire", "Стрельба M16", "Стрільба M16"),
    "Str602": ("M4 Fire", "Стрельба M4", "Стрільба M4"),
    "Str603": ("UMP9 Fire", "Стрельба UMP9", "Стрільба UMP9"),
    "Str604": ("SCAR-L Fire", "Стрельба SCAR-L", "Стрільба SCAR-L"),
    "Str605": ("5.56mm Fire", "Стрельба 5,56 мм", "Стрільба 5,56 мм"),
    "Str606": ("7.62mm Fire", "Стрельба 7,62 мм", "Стрільба 7,62 мм"),
    "Str610": ("Gun Mode 1", "Режим оружия 1", "Режим зброї 1"),
    "Str611": ("Gun Mode 2", "Режим оружия 2", "Режим зброї 2"),
    "Str612": ("Gun Mode 3", "Режим оружия 3", "Режим зброї 3"),
    "Str613": ("Gun Mode 4", "Режим оружия 4", "Режим зброї 4"),
    "Str614": ("Gun Mode 5", "Режим оружия 5", "Режим зброї 5"),
    "Str620": ("Confirm", "Подтвердить", "Підтвердити"),
    "Str621": ("Cancel", "Отмена", "Скасувати"),
    "Str700": ("Press 'Middle Key' 3s Switch Office/Gaming Mode",
               "Удерживайте «Среднюю кнопку» 3 с для смены режима Офис/Игра",
               "Утримуйте «Середню кнопку» 3 с для зміни режиму Офіс/Гра"),
    "Str701": ("Press 'CPI' 3s Switch Office/Gaming Mode",
               "Удерживайте «CPI» 3 с для смены режима Офис/Игра",
               "Утримуйте «CPI» 3 с для зміни режиму Офіс/Гра"),
    "Str702": ("Press Gun Key Switch Office/Gaming Mode",
               "Нажмите кнопку оружия для смены режима Офис/Игра",
               "Натисніть кнопку зброї для зміни режиму Офіс/Гра"),
}

# The DPI value names are numbers in every language.
for _n, _dpi in enumerate([500, 800, 1000, 1200, 1600, 2000, 2400, 3200, 4000, 4800, 6400, 8000]):
    TEXTS[f"Str{300 + _n:03d}"] = (str(_dpi),) * 3

# Page labels, key: (Chinese, Russian, Ukrainian); LANG3 carries the Chinese column.
PAGE_LABELS = {
    "Str800": ("连击键", "Кнопка стрельбы", "Кнопка стрільби"),
    "Str801": ("连击次数", "Число выстрелов", "Кількість пострілів"),
    "Str802": ("间隔时间", "Интервал", "Інтервал"),
    "Str803": ("持续连击", "Непрерывная стрельба", "Безперервна стрільба"),
    "Str804": ("指针移动速度", "Скорость указателя", "Швидкість вказівника"),
    "Str805": ("提高指针精确度", "Повышенная точность указателя",
               "Підвищена точність вказівника"),
    "Str806": ("双击速度", "Скорость двойного щелчка", "Швидкість подвійного клацання"),
    "Str807": ("滚轮速度", "Скорость прокрутки", "Швидкість прокручування"),
    "Str808": ("一次滚动一个屏幕", "Прокрутка на один экран", "Прокручування на один екран"),
    "Str809": ("DPI设置", "Настройка DPI", "Налаштування DPI"),
    "Str810": ("DPI值", "Значение DPI", "Значення DPI"),
    "Str811": ("注：点击DPI名称可增加或减少档位",
               "Примечание: щёлкните по имени уровня DPI, чтобы добавить или убрать его",
               "Примітка: клацніть назву рівня DPI, щоб додати або прибрати його"),
    "Str812": ("灯光状态", "Состояние подсветки", "Стан підсвічування"),
    "Str813": ("打开", "Вкл.", "Увімк."),
    "Str814": ("关闭", "Выкл.", "Вимк."),
    "Str815": ("灯光模式切换(左键+DPI)", "Смена режима подсветки (левая кнопка + DPI)",
               "Зміна режиму підсвічування (ліва кнопка + DPI)"),
    "Str816": ("灯光开关切换(后退键+DPI)", "Вкл./выкл. подсветки (кнопка «Назад» + DPI)",
               "Увімк./вимк. підсвічування (кнопка «Назад» + DPI)"),
    "Str817": ("灯光亮度", "Яркость подсветки", "Яскравість підсвічування"),
    "Str818": ("保存按键模式", "Запоминать режим кнопок", "Запам'ятовувати режим кнопок"),
    "Str819": ("不保存按键模式", "Не запоминать режим кнопок", "Не запам'ятовувати режим кнопок"),
    "Str820": ("灯光模式", "Режим подсветки", "Режим підсвічування"),
    "Str827": ("关灯", "Выключено", "Вимкнено"),
    "Str828": ("变换颜色快速呼吸", "Смена цвета, быстрое дыхание", "Зміна кольору, швидке дихання"),
    "Str829": ("变换颜色中速呼吸", "Смена цвета, среднее дыхание", "Зміна кольору, середнє дихання"),
    "Str830": ("变换颜色慢速呼吸", "Смена цвета, медленное дыхание",
               "Зміна кольору, повільне дихання"),
    "Str831": ("CPI颜色快速呼吸", "Цвет DPI, быстрое дыхание", "Колір DPI, швидке дихання"),
    "Str832": ("CPI颜色中速呼吸", "Цвет DPI, среднее дыхание", "Колір DPI, середнє дихання"),
    "Str833": ("CPI颜色慢速呼吸", "Цвет DPI, медленное дыхание", "Колір DPI, повільне дихання"),
    "Str834": ("关灯", "Выключено", "Вимкнено"),
    "Str835": ("宏列表", "Список макросов", "Список макросів"),
    "Str836": ("宏内容", "Содержимое макроса", "Вміст макросу"),
    "Str837": ("录制延时", "Записанная задержка", "Записана затримка"),
    "Str838": ("默认延时", "Задержка по умолчанию", "Типова затримка"),
    "Str839": ("无延时", "Без задержки", "Без затримки"),
    "Str840": ("毫秒", "мс", "мс"),
    "Str841": ("松开按键停止", "Стоп при отпускании", "Стоп при відпусканні"),
    "Str842": ("松开按键继续", "Продолжать после отпускания", "Продовжувати після відпускання"),
    "Str843": ("松开停止", "Стоп при отпускании", "Стоп при відпусканні"),
    "Str844": ("射击次数", "Выстрелы", "Постріли"),
    "Str845": ("X/Y轴移动", "Смещение X/Y", "Зміщення X/Y"),
    "Str846": ("Y轴偏移量", "Поправка по Y", "Поправка по Y"),
    "Str847": ("间隔时间(ms)", "Интервал (мс)", "Інтервал (мс)"),
    "Str848": ("颜色", "Цвет", "Колір"),
}
for _n in range(1, 7):
    PAGE_LABELS[f"Str{820 + _n}"] = (f"模式{_n}", f"Режим {_n}", f"Режим {_n}")
for _n in range(1, 8):
    PAGE_LABELS[f"Str{848 + _n}"] = (f"第{_n}档", f"DPI {_n}", f"DPI {_n}")

# file: (section, FontName, Title, column of TEXTS, column of PAGE_LABELS, keys left out)
FILES = {
    "LANG1": ("lang1", "Calibri", "Kavo GAMING", 1, 1, set()),
    "LANG2": ("lang2", "Calibri", "Kavo GAMING", 2, 2, set()),
    "LANG3": ("lang3", "Arial Narrow", "Orvane Gaming Mouse", 0, 0, {"Str311"}),
}


def entry(key, text):
    return '"' + (key + "=" + text).replace('"', '""') + '"'


def render(name):
    section, font, title, column, label_column, left_out = FILES[name]
    lines = [f"[{section}]", entry("FontName", font), entry("Title", title)]
    hundred = None
    for key in KEYS:
        if key in left_out:
            continue
        if key in LANGUAGE_NAMES:
            text = LANGUAGE_NAMES[key]
        elif key in PAGE_LABELS:
            text = PAGE_LABELS[key][label_column]
        else:
            text = TEXTS[key][column]
        if key[3] != hundred and hundred is not None:
            lines.append("")  # a blank line between the hundreds, for reading
        hundred = key[3]
        lines.append(entry(key, text))
    return ("\r\n".join(lines) + "\r\n").encode("utf-16-le")


def main():
    check = sys.argv[1:] == ["--check"]
    known = set(TEXTS) | set(PAGE_LABELS) | set(LANGUAGE_NAMES)
    assert len(KEYS) == 201 and len(set(KEYS)) == 201
    assert known == set(KEYS), sorted(known ^ set(KEYS))
    stale = []
    OUT_DIR.mkdir(parents=True, exist_ok=True)
    for name in FILES:
        data = b"\xff\xfe" + render(name)
        path = OUT_DIR / name
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(name)
        else:
            path.write_bytes(data)
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
