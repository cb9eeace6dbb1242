#!/usr/bin/env python3
"""Writes the layout files resources/layout/ORG1, ORG2 and ORG3 (sections [org1] .. [org3])
from the position tables below.

Format: 8-bit (ASCII) text with CR LF line ends; ";" comment lines, a banner per key group,
then one "key=value" line per key. Every value is a decimal integer.

The window is 1030 x 662: a 70 pixel header band with the page and language buttons, the page
panels (Img_P1 600x400 at 380,118; Img_P2..P4 800x374 at 115,118; the fire page's Img_P5
720x650 at 155,6) and the bottom button row at y 600. A coordinate of several thousand puts a
control outside the window, which is how a layout hides a control that has no Enable key.

ORG1 and ORG2 are the same apart from the section name. ORG3 shows the Read, Confirm2 and
Confirm3 buttons and the Confirm button inside the window, and has no ComboKey_H and no caption
keys of the three mode-switch options. No layout offers language 3 (Btn_B10_Enable=0).

Usage: make_layout.py [--check]   (--check: fail if the files on disk differ; write nothing)
"""

import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
OUT_DIR = ROOT / "resources" / "layout"

TEXT = (226, 230, 236)    # normal caption colour of the skin
ACCENT = (24, 186, 235)   # headings, selected DPI levels, hover background
DIM = (110, 114, 124)     # DPI levels not in use
FIELD = (18, 20, 24)      # edit and list background
FRAME = (60, 64, 72)      # edit and list border
PANEL = (28, 30, 36)      # menu and slider background
DARK = (10, 12, 14)       # text on the accent colour
FONT = 9                  # point size of every caption

# --- Group A: window buttons, (key, role, enable, x, y) per layout; bottom row y 600. -------
BOTTOM = 600
WINDOW_BUTTONS = [
    # key      role       ORG1/ORG2 (enable, x, y)   ORG3
    ("Btn_A1", "Confirm",  (1, 9640, BOTTOM),         (1, 904, BOTTOM)),
    ("Btn_A2", "Apply",    (1, 782, BOTTOM),          (1, 782, BOTTOM)),
    ("Btn_A8", "Read",     (0, 660, BOTTOM),          (1, 660, BOTTOM)),
    ("Btn_A3", "Confirm1", (1, 30, BOTTOM),           (1, 30, BOTTOM)),
    ("Btn_A5", "Confirm2", (0, 152, BOTTOM),          (1, 152, BOTTOM)),
    ("Btn_A6", "Confirm3", (0, 274, BOTTOM),          (1, 274, BOTTOM)),
    ("Btn_A4", "Exit",     (1, 1000, 14),             (1, 1000, 14)),
    ("Btn_A7", "Minimize", (1, 976, 14),              (1, 976, 14)),
]

# --- Group B: page, profile and language buttons, 114 px apart in the header (y 22). --------
HEADER_Y = 22
PAGE_BUTTONS = [
    # key       role         enable x    y
    ("Btn_B1", "Office Mode", 1, 30, HEADER_Y),
    ("Btn_B2", "Game Mode", 1, 144, HEADER_Y),
    ("Btn_B4", "Advanced", 1, 258, HEADER_Y),
    ("Btn_B5", "Light", 1, 372, HEADER_Y),
    ("Btn_B11", "Macro", 1, 486, HEADER_Y),
    ("Btn_B6", "Save Profile", 1, 420, BOTTOM),
    ("Btn_B7", "Load Profile", 1, 535, BOTTOM),
    ("Btn_B8", "Language1", 1, 630, HEADER_Y),
    ("Btn_B9", "Language2", 1, 744, HEADER_Y),
    ("Btn_B10", "Language3", 0, 858, HEADER_Y),
]
BTN_SPACE_F, BTN_SPACE_B = 3, 3

# --- Group C: page 1, the nine key labels down the left of the mouse picture. ---------------
P1 = (380, 118)
KEY_X, KEY_Y, KEY_STEP, KEY_WIDTH = 110, 130, 40, 230
COMBO_X, COMBO_Y, COMBO_STEP = 30, 500, 26     # the three mode-switch options below the keys
COMBO_D, COMBO_H, COMBO_WIDTH = 24, -2, 320

# --- Group G: function menus. ---------------------------------------------------------------
M_L_W, SP_L_W, O_L_W = 230, 200, 180

# --- Group D: page 2, fire key and pointer settings on the left, DPI levels on the right. ---
P2 = (115, 118)
LEFT = 140
DPI_LEFT, DPI_TOP, DPI_STEP = 470, 162, 38
DPI_SLIDER_X, DPI_VALUE_X = 590, 835
SPEED_D = 26          # eleven ticks over the 286 pixel ruler of the pointer sliders
DPI_STEPS_D = 20      # read, not used: the DPI ruler is fixed at 225 pixels
ADVANCED = [
    ("FKCnt", (255, 156)),
    ("FKDelay", (255, 182)),
    ("IsFireContinue", (345, 160)),
]
SCALES_D = [("Spd", (LEFT, 234)), ("DbSpd", (LEFT, 328)), ("ScrSpd", (LEFT, 398))]
CHECKS_D = [("IsControl", (LEFT + 5, 284)), ("IsScreen", (LEFT + 5, 448))]
DPI_COUNT_COMBO = (620, 127)


def dpi_row(k):
    return DPI_TOP + (k - 1) * DPI_STEP


# --- Group E: page 3, on/off pairs on the left, modes and light bars on the right. ----------
P3 = (115, 118)
ON_X, OFF_X = LEFT + 10, LEFT + 120
LIGHT_OPTIONS = [
    ("LEDOn", (ON_X, 160)),
    ("LEDOff", (OFF_X, 160)),
    ("B4CPIOn", (ON_X, 280)),
    ("B4CPIOff", (OFF_X, 280)),
    ("LEDSwitchOn", (ON_X, 220)),
    ("LEDSwitchOff", (OFF_X, 220)),
    ("SaveKeyMode", (ON_X, 400)),
    ("NoSaveKeyMode", (OFF_X, 400)),
    ("LED3Control", (ON_X, 340)),
    ("LED6Control", (OFF_X, 340)),
]
MODE_X, MODE_Y, MODE_STEP, MODE_WIDTH = 430, 163, 26, 200
LED_NUM = (430, 355, 4)
LED_STEP = (430, 415, 4)

# --- Group F: page 4, the two lists on the left, buttons and options on the right. ----------
P4 = (115, 118)
MACRO = [
    ("PCMacroName", (LEFT, 157, 310)),
    ("MacroContent", (360, 157)),
    ("BtnNew", (580, 157)),
    ("BtnStart", (700, 157)),
    ("DelayTime", (580, 200)),
    ("RecDelay", (590, 225, 26)),
    ("DelayEdit", (720, 247)),
    ("ReleaseStop", (590, 320)),
    ("ReleaseContinue", (590, 346)),
    ("Insert", (580, 200)),
    ("InsertList", (590, 210)),
    ("InsertRecDelay", (590, 240, 20)),
    ("InsertDelayEdit", (700, 260)),
    ("InsertAxisEdit", (700, 240)),
    ("InsertBtnStart", (590, 300)),
    ("InsertBtnOK", (640, 330)),
    ("InsertBtnCancel", (700, 330)),
]
MACRO_NAME_HEIGHT, PC_MACRO_WIDTH = 18, 120

# --- Group J: fire page, presets down the left, up to three rows of edits on the right. -----
P5 = (155, 6)
PRESET_X, PRESET_Y, PRESET_STEP = 185, 40, 70
ROW_Y, ROW_STEP = 150, 80
COLUMNS = {"RKFS": 400, "FireCnt": 460, "FireY": 545, "FireY_Offset": 630, "FireTime": 715,
           "FireColor": 800}
HIDDEN_FIRE_X = (3550, 8260)   # the X edits are not offered
GUN_MARKER_X = 330
GUN_MARKERS = [(1, 1, 42), (2, 2, 52), (3, 1, 42), (4, 2, 52), (5, 3, 62)]  # (n, row, size)
FIRE_BUTTONS = [("FireConfirm", (600, 590)), ("FireCancel", (730, 590))]

# --- Groups K and L: the dialogs, laid over their 1000 x 660 background (44 px title band). -
ASSEMBLY = [("AKT", (40, 12)), ("AKC", (350, 280, 300)), ("MK_C", (350, 330)),
            ("MK_S", (430, 330)), ("MK_A", (510, 330)), ("MK_W", (590, 330)),
            ("AK_Cfm", (370, 400)), ("AK_Clear", (510, 400)), ("AK_Close", (966, 12))]
INPUT = [("MNT", (40, 12)), ("MNC", (350, 300, 300)), ("MN_Cfm", (370, 380)),
         ("MN_Clear", (510, 380)), ("MN_Close", (966, 12))]

# --- Caption labels: (family, x, y, colour, width) on pages 2 to 5. -------------------------
CAPTIONS = [
    ("Fire_Key", LEFT, 130, ACCENT, 200),
    ("Fire_Key_Count", LEFT, 158, TEXT, 110),
    ("Fire_Key_Time", LEFT, 184, TEXT, 110),
    ("Fire_Key_Continue", 367, 158, TEXT, 95),
    ("Mouse_Speed", LEFT, 216, ACCENT, 200),
    ("Mouse_IsControl", LEFT + 27, 282, TEXT, 260),
    ("Mouse_Double_Click", LEFT, 310, ACCENT, 200),
    ("Mouse_Roller_Speed", LEFT, 380, ACCENT, 200),
    ("Mouse_Roll_All_Screen", LEFT + 27, 446, TEXT, 260),
    ("DPI_Setting", DPI_LEFT, 130, ACCENT, 140),
    ("DPI_Value", DPI_VALUE_X - 5, 130, ACCENT, 80),
    ("DPI_Note", DPI_LEFT, 462, DIM, 420),
    ("LED_Status", LEFT, 135, ACCENT, 200),
    ("LED_On", ON_X - 4, 158, TEXT, 100),
    ("LED_Off", OFF_X - 4, 158, TEXT, 100),
    ("LCPI_Status", LEFT, 195, ACCENT, 260),
    ("LCPI_On", ON_X - 4, 218, TEXT, 100),
    ("LCPI_Off", OFF_X - 4, 218, TEXT, 100),
    ("MCPI_Status", LEFT, 255, ACCENT, 260),
    ("MCPI_On", ON_X - 4, 278, TEXT, 100),
    ("MCPI_Off", OFF_X - 4, 278, TEXT, 100),
    ("LED_Light_Status", LEFT, 315, ACCENT, 260),
    ("LED_Light_All", ON_X - 4, 338, TEXT, 100),
    ("LED_Light_Half", OFF_X - 4, 338, TEXT, 100),
    ("LED_Mode", MODE_X - 10, 135, ACCENT, 200),
    # LED_Mode_1..7 follow here (position and width only).
    ("Marco_List", LEFT, 135, ACCENT, 200),
    ("Marco_Content", 360, 135, ACCENT, 200),
    ("Marco_Record_Delay", 612, 223, TEXT, 120),
    ("Marco_Delay_Setting", 612, 249, TEXT, 100),
    ("Marco_No_Delay", 612, 275, TEXT, 120),
    ("Marco_MS", 790, 249, TEXT, 40),
    ("Marco_Stop_Release", 612, 318, TEXT, 200),
    ("Marco_Stop_Over", 612, 344, TEXT, 200),
    ("Gun_Marco_Stop_Release", 370, 110, TEXT, 85),
    ("Gun_Marco_Fire_Count", 460, 110, TEXT, 80),
    ("Gun_Marco_Fire_Y", 545, 110, TEXT, 80),
    ("Gun_Marco_Y_Offset", 630, 110, TEXT, 80),
    ("Gun_Marco_Fire_Delay", 715, 110, TEXT, 80),
    ("Gun_Marco_Fire_Color", 790, 110, TEXT, 70),
    # ComboKey1..3 follow here (ORG1 and ORG2 only), then the shared DPI name keys.
]
DPI_NAME_WIDTH = 60


def rgb(prefix, colour):
    return [(f"{prefix}_R", colour[0]), (f"{prefix}_G", colour[1]), (f"{prefix}_B", colour[2])]


def xy(prefix, pos):
    return [(f"{prefix}_X", pos[0]), (f"{prefix}_Y", pos[1])]


def group_a(n):
    keys = [("Size_A", FONT)] + rgb("Color_A", TEXT)
    for key, _role, org12, org3 in WINDOW_BUTTONS:
        enable, x, y = org3 if n == 3 else org12
        keys += [(f"{key}_Enable", enable), (f"{key}_X", x), (f"{key}_Y", y)]
    return keys


def group_b(_n):
    keys = [("Size_B", FONT)] + rgb("Color_B", TEXT)
    keys += [("Btn_Space_F", BTN_SPACE_F), ("Btn_Space_B", BTN_SPACE_B)]
    for key, _role, enable, x, y in PAGE_BUTTONS:
        keys += [(f"{key}_Enable", enable), (f"{key}_X", x), (f"{key}_Y", y)]
    keys += [("Btn_B12_Enable", 0), ("Btn_B12_X", 600), ("Btn_B12_Y", HEADER_Y)]
    return keys


def group_c(n):
    keys = [("Size_C", FONT)] + rgb("Color_C", TEXT) + xy("P1", P1)
    for k in range(1, 10):
        keys += [(f"Key{k}_Enable", 1), (f"Key{k}_X", KEY_X),
                 (f"Key{k}_Y", KEY_Y + (k - 1) * KEY_STEP)]
    keys.append(("Key_Width", KEY_WIDTH))
    for k in range(1, 4):
        keys += [(f"ComboKey{k}_Enable", 1), (f"ComboKey{k}_X", COMBO_X),
                 (f"ComboKey{k}_Y", COMBO_Y + (k - 1) * COMBO_STEP)]
    keys.append(("ComboKey_D", COMBO_D))
    if n != 3:
        keys.append(("ComboKey_H", COMBO_H))
    keys.append(("Combox_Width", COMBO_WIDTH))
    return keys


def group_g(_n):
    keys = [("Size_G", FONT)] + rgb("Color_G", TEXT) + rgb("Color_G_Back", PANEL)
    keys += rgb("Color_G_Border", ACCENT) + rgb("Color_G_SF", DARK) + rgb("Color_G_SP", ACCENT)
    keys += rgb("Color_MACRO", ACCENT) + rgb("Color_F_LBack", FIELD)
    keys += [("M_L_W", M_L_W), ("SP_L_W", SP_L_W), ("O_L_W", O_L_W)]
    return keys


def group_d(_n):
    keys = [("Size_D", FONT)] + rgb("Color_D_Selected", ACCENT) + rgb("Color_D_notSelected", DIM)
    keys += rgb("Color_D_Back", FIELD) + rgb("Color_D_Border", FRAME) + xy("P2", P2)
    for name, pos in ADVANCED:
        keys += xy(name, pos)
    for name, pos in SCALES_D:
        keys += xy(name, pos) + [(f"{name}_D", SPEED_D)]
    for name, pos in CHECKS_D:
        keys += xy(name, pos)
    for k in range(1, 8):
        y = dpi_row(k)
        keys += xy(f"DPI{k}_Color", (558, y + 2)) + xy(f"DPI{k}_Check", (535, y + 3))
        keys += xy(f"DPI{k}", (DPI_LEFT, y)) + xy(f"DPI{k}_Value", (DPI_VALUE_X, y))
        keys += xy(f"DPI{k}_Steps", (DPI_SLIDER_X, y)) + [(f"DPI{k}_Steps_D", DPI_STEPS_D)]
    aim_y = dpi_row(8)
    keys += xy("AIMKey", (DPI_LEFT, aim_y)) + xy("AIMKey_Value", (DPI_VALUE_X, aim_y))
    keys += xy("AIMKey_Steps", (DPI_SLIDER_X, aim_y)) + [("AIMKey_Steps_D", DPI_STEPS_D)]
    keys += rgb("Color_BG_Slider", PANEL)
    keys += [("DPI_Count_Visible", 1)] + xy("DPI_Count", DPI_COUNT_COMBO)
    return keys


def group_e(_n):
    keys = [("Size_E", FONT)] + rgb("Color_E", TEXT) + xy("P3", P3)
    for name, pos in LIGHT_OPTIONS:
        keys += xy(name, pos)
    for row in ("MCULEDMode", "RBLEDMode"):   # the two rows are never shown together
        for k in range(1, 8):
            keys += xy(f"{row}{k}", (MODE_X, MODE_Y + (k - 1) * MODE_STEP))
    for name, (x, y, d) in (("MCULEDNum", LED_NUM), ("MCULEDStep", LED_STEP)):
        keys += [(f"{name}_X", x), (f"{name}_Y", y), (f"{name}_D", d)]
    return keys


def group_f(_n):
    keys = [("Size_F", FONT)] + rgb("Color_F", TEXT) + rgb("Color_F_LBorder", FRAME)
    keys += rgb("Color_F_Font", TEXT) + rgb("Color_F_Back", FIELD) + xy("P4", P4)
    keys.append(("MacroNameHeight", MACRO_NAME_HEIGHT))
    for name, pos in MACRO:
        keys += xy(name, pos)
        if len(pos) == 3:
            keys.append((f"{name}_H", pos[2]))
    keys.append(("Edit_PCMarco_Width", PC_MACRO_WIDTH))
    return keys


def group_j(_n):
    keys = [("Size_J", FONT)] + rgb("Color_J", TEXT) + rgb("Color_J_Font", TEXT)
    keys += rgb("Color_J_Back", FIELD) + rgb("Color_J_Border", FRAME) + xy("P5", P5)
    for k in range(1, 8):
        keys += xy(f"Fire{k}", (PRESET_X, PRESET_Y + (k - 1) * PRESET_STEP))
    for k, row, size in GUN_MARKERS:
        y = ROW_Y + (row - 1) * ROW_STEP + 11 - size // 2
        keys += xy(f"GunMode{k}", (GUN_MARKER_X, y))
    rows = [ROW_Y + r * ROW_STEP for r in range(3)]
    for r in range(3):
        keys += xy(f"RKFS{r + 1}", (COLUMNS["RKFS"], rows[r] + 3))
    for r in range(3):
        keys += xy(f"FireCnt{r + 1}", (COLUMNS["FireCnt"], rows[r]))
    for r in range(3):
        keys += xy(f"FireX{r + 1}", HIDDEN_FIRE_X)
    for r in range(3):
        keys += xy(f"FireY{r + 1}", (COLUMNS["FireY"], rows[r]))
    for r in range(3):
        keys += xy(f"FireY{r + 1}_Offset", (COLUMNS["FireY_Offset"], rows[r]))
    for r in range(3):
        keys += xy(f"FireTime{r + 1}", (COLUMNS["FireTime"], rows[r]))
    for r in range(3):
        keys += xy(f"FireColor{r + 1}", (COLUMNS["FireColor"], rows[r] + 2))
    for name, pos in FIRE_BUTTONS:
        keys += xy(name, pos)
    return keys


def dialog(entries):
    keys = []
    for name, pos in entries:
        keys += xy(name, pos)
        if len(pos) == 3:
            keys.append((f"{name}_W", pos[2]))
    return keys


def group_k(_n):
    return [("Size_K", FONT)] + rgb("Color_K", TEXT) + rgb("Color_K_AK", ACCENT) + dialog(ASSEMBLY)


def group_l(_n):
    return [("Size_L", FONT)] + rgb("Color_L", TEXT) + rgb("Color_L_MN", ACCENT) + dialog(INPUT)


def group_m(_n):
    return [("Size_M", FONT)] + rgb("Color_M", TEXT) + [
        ("NorLED_Enable", 0), ("NorLED_X", 9300), ("NorLED_Y", 10), ("NorLED_W", 26),
        ("NorLED_H", 18), ("NorLED_D", 4), ("NorLED_R", 255), ("NorLED_G", 255),
        ("NorLED_B", 255), ("NorLED_Size", FONT)]


def family(name, x, y, colour, width, size=FONT):
    keys = [(f"{name}_Lable_X", x), (f"{name}_Lable_Y", y)]
    keys += rgb(f"{name}_Lable", colour)
    keys += [(f"{name}_Lable_Size", size), (f"{name}_Lable_Width", width)]
    return keys


def captions(n):
    keys = []
    for name, x, y, colour, width in CAPTIONS:
        keys += family(name, x, y, colour, width)
        if name == "LED_Mode":
            # The mode captions lie over their option images like the group E labels.
            for k in range(1, 8):
                keys += [(f"LED_Mode_{k}_Lable_X", MODE_X - 4),
                         (f"LED_Mode_{k}_Lable_Y", MODE_Y + (k - 1) * MODE_STEP - 2),
                         (f"LED_Mode_{k}_Lable_Width", MODE_WIDTH)]
            keys += rgb("LED_Mode_Option_Lable", TEXT) + [("LED_Mode_Option_Lable_Size", FONT)]
    if n != 3:
        # Where group C puts the option labels, so that either order of the two agrees.
        for k in range(1, 4):
            y = COMBO_Y + (k - 1) * COMBO_STEP + COMBO_H
            keys += family(f"ComboKey{k}", COMBO_X + COMBO_D, y, TEXT, COMBO_WIDTH)
    keys += rgb("DPI_Lable", ACCENT)
    keys += [("DPI_Lable_Size", FONT), ("DPI_Lable_Width", DPI_NAME_WIDTH)]
    return keys


GROUPS = [
    ("Group A - window buttons",
     ["Font of the window buttons; Confirm, Apply, Read, Confirm1..3, Exit and Minimize.",
      "Enable 1 shows a button on pages 1-4 at X, Y; any other value hides it."],
     group_a),
    ("Group B - page, profile and language buttons",
     ["Btn_Space_F and Btn_Space_B are the inner margins of the button images: the caption",
      "starts Btn_Space_F right of the image and is that much plus Btn_Space_B narrower.",
      "Btn_B12 is kept for a button this product does not have."],
     group_b),
    ("Group C - mouse key labels (page 1)",
     ["Img_P1 position, the nine key labels and the three Office/Game switch options;",
      "an option's caption lies ComboKey_D right of and ComboKey_H below its image."],
     group_c),
    ("Group G - function menus",
     ["Entry font, panel background and border, the entry under the pointer (SF text, SP",
      "background), the macro list colours and the widths of the menu panels."],
     group_g),
    ("Group D - Advanced page (page 2)",
     ["Fire key, pointer speed, double-click and wheel sliders with eleven ticks D apart,",
      "and per DPI level its colour swatch, check mark, name, value and slider."],
     group_d),
    ("Group E - Light page (page 3)",
     ["Option images (their labels 4 px left of and 2 px above them) and the two light",
      "bars: LED number (ten segments) and speed step (eight), D pixels apart."],
     group_e),
    ("Group F - Macro page (page 4)",
     ["Macro list and event list, New and Record, the delay and release options and the",
      "insert panel that replaces them while a line is inserted."],
     group_f),
    ("Group J - fire page (page 5)",
     ["Seven presets, the row markers of presets 6 and 7 and three rows of edits. The",
      "X edits are not offered and lie outside the window."],
     group_j),
    ("Group K - assembly key dialog",
     ["Positions inside the dialog; its text size is Size_J, Size_K is kept unused."],
     group_k),
    ("Group L - macro name, key, delay and value dialogs",
     ["Positions inside the dialogs."],
     group_l),
    ("Group M - reserved",
     ["Kept for a normal-light panel this product does not have; not read."],
     group_m),
    ("backgroud label - captions of pages 2 to 5",
     ["Per caption: position, font colour, font size and width. LED_Mode_1..7 share",
      "their colour and size, the seven DPI names theirs (their places are in group D)."],
     captions),
]


def entries(n):
    """The keys of layout n, grouped as in the file: [(banner, comments, [(key, value)])]."""
    return [(banner, comments, make(n)) for banner, comments, make in GROUPS]


def render(n):
    rule = "; " + "=" * 86
    lines = ["; Layout file: positions, sizes and colours of the main window's controls.",
             "; Generated by tools/layoutgen/make_layout.py; edit the tables there, not here.",
             f"[org{n}]"]
    for banner, comments, keys in entries(n):
        lines += ["", rule, f"; {banner}", rule] + [f"; {c}" for c in comments]
        lines += [f"{key}={value}" for key, value in keys]
    text = "\r\n".join(lines) + "\r\n"
    return text.encode("ascii")


def key_count(n):
    return sum(len(keys) for _banner, _comments, keys in entries(n))


def main(argv):
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    stale = []
    for n in (1, 2, 3):
        names = [k for _b, _c, keys in entries(n) for k, _v in keys]
        if len(names) != len({k.lower() for k in names}):
            print(f"ORG{n}: a key is listed twice", file=sys.stderr)
            return 1
        path = OUT_DIR / f"ORG{n}"
        data = render(n)
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(path)
        else:
            OUT_DIR.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
            print(f"{path.relative_to(ROOT)}: {key_count(n)} keys")
    if stale:
        for path in stale:
            print(f"{path.relative_to(ROOT)} is stale; run tools/layoutgen/make_layout.py",
                  file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
