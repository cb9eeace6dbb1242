#pragma once

#include <string_view>

// The keys of the language files' texts, by what they name; the files themselves number them.
namespace vornik::textkey {

// Captions of the buttons and page selectors every page carries.
inline constexpr std::string_view kConfirm = "Str000";
inline constexpr std::string_view kApply = "Str001";
inline constexpr std::string_view kDefault1 = "Str002";
inline constexpr std::string_view kOfficeMode = "Str004";
inline constexpr std::string_view kGameMode = "Str005";
inline constexpr std::string_view kAdvanced = "Str007";
inline constexpr std::string_view kLighting = "Str008";
inline constexpr std::string_view kSave = "Str009";
inline constexpr std::string_view kLoad = "Str010";
inline constexpr std::string_view kLanguage1 = "Str011";
inline constexpr std::string_view kLanguage2 = "Str012";
inline constexpr std::string_view kLanguage3 = "Str013";
inline constexpr std::string_view kMacros = "Str014";
inline constexpr std::string_view kDefault2 = "Str015";
inline constexpr std::string_view kDefault3 = "Str016";
inline constexpr std::string_view kRead = "Str017";

// Messages.
inline constexpr std::string_view kFindingDevice = "Str020";
inline constexpr std::string_view kNoDevice = "Str100";
inline constexpr std::string_view kCheckConnection = "Str101";
inline constexpr std::string_view kMacroLengthOutOfRange = "Str103";
inline constexpr std::string_view kEepromSpaceShortage = "Str104";
inline constexpr std::string_view kWrongIdentification = "Str107";
inline constexpr std::string_view kKeepLeftKey = "Str108";
inline constexpr std::string_view kFail = "Str109";

// The function menu: the bullet before every entry and the entries that are no function.
inline constexpr std::string_view kMenuBullet = "Str200";
inline constexpr std::string_view kMenuStandard = "Str201";
inline constexpr std::string_view kMenuSpecial = "Str202";
inline constexpr std::string_view kMenuMedia = "Str203";
inline constexpr std::string_view kMenuWeb = "Str204";
inline constexpr std::string_view kMenuAssembly = "Str205";
inline constexpr std::string_view kMenuMacro = "Str206";
inline constexpr std::string_view kMenuMyComputer = "Str207";
inline constexpr std::string_view kMenuFireMacro = "Str208";
inline constexpr std::string_view kMenuDpiKey = "Str230";

// Button function names.
inline constexpr std::string_view kLeftKey = "Str210";
inline constexpr std::string_view kRightKey = "Str211";
inline constexpr std::string_view kMiddleKey = "Str212";
inline constexpr std::string_view kBackKey = "Str213";
inline constexpr std::string_view kForwardKey = "Str214";
inline constexpr std::string_view kFireKey = "Str220";
inline constexpr std::string_view kLedSwitch = "Str221";
inline constexpr std::string_view kAimKey = "Str222";
inline constexpr std::string_view kGunKeyFunction = "Str223";
inline constexpr std::string_view kKeyOff = "Str224";
inline constexpr std::string_view kKeyModeSwitch = "Str225";
inline constexpr std::string_view kLedModeSwitch = "Str226";
inline constexpr std::string_view kDpiLoop = "Str231";
inline constexpr std::string_view kDpiUp = "Str232";
inline constexpr std::string_view kDpiDown = "Str233";
inline constexpr std::string_view kMyComputer = "Str240";
inline constexpr std::string_view kCalculator = "Str241";
inline constexpr std::string_view kEmail = "Str242";
inline constexpr std::string_view kDesktop = "Str243";
inline constexpr std::string_view kPlayPause = "Str250";
inline constexpr std::string_view kStop = "Str251";
inline constexpr std::string_view kPreviousTrack = "Str252";
inline constexpr std::string_view kNextTrack = "Str253";
inline constexpr std::string_view kVolumeUp = "Str254";
inline constexpr std::string_view kVolumeDown = "Str255";
inline constexpr std::string_view kMute = "Str256";
inline constexpr std::string_view kWebHome = "Str260";
inline constexpr std::string_view kWebSearch = "Str261";
inline constexpr std::string_view kWebBack = "Str262";
inline constexpr std::string_view kWebForward = "Str263";
inline constexpr std::string_view kWebStop = "Str264";
inline constexpr std::string_view kWebRefresh = "Str265";
inline constexpr std::string_view kWebFavorites = "Str266";
// The seven gun presets, 1 to 7.
inline constexpr std::string_view kGunPreset1 = "Str600";
inline constexpr std::string_view kGunPreset2 = "Str601";
inline constexpr std::string_view kGunPreset3 = "Str602";
inline constexpr std::string_view kGunPreset4 = "Str603";
inline constexpr std::string_view kGunPreset5 = "Str604";
inline constexpr std::string_view kGunPreset6 = "Str605";
inline constexpr std::string_view kGunPreset7 = "Str606";

// The assembly-key dialog.
inline constexpr std::string_view kAssemblyKeyTitle = "Str500";
inline constexpr std::string_view kAssemblyConfirm = "Str501";
inline constexpr std::string_view kAssemblyClear = "Str502";

// Dialog buttons.
inline constexpr std::string_view kDialogOk = "Str620";
inline constexpr std::string_view kDialogCancel = "Str621";

// The key-mode switch lines.
inline constexpr std::string_view kSwitchByMiddleKey = "Str700";
inline constexpr std::string_view kSwitchByDpiKey = "Str701";
inline constexpr std::string_view kSwitchByGunKey = "Str702";

// Page captions: fire key, pointer settings, DPI, lighting, macros, fire macros.
inline constexpr std::string_view kFireKeyTitle = "Str800";
inline constexpr std::string_view kFireCount = "Str801";
inline constexpr std::string_view kFireInterval = "Str802";
inline constexpr std::string_view kContinuousFire = "Str803";
inline constexpr std::string_view kPointerSpeed = "Str804";
inline constexpr std::string_view kPointerPrecision = "Str805";
inline constexpr std::string_view kDoubleClickSpeed = "Str806";
inline constexpr std::string_view kWheelLines = "Str807";
inline constexpr std::string_view kWheelScreen = "Str808";
inline constexpr std::string_view kDpiSettings = "Str809";
inline constexpr std::string_view kDpiValue = "Str810";
inline constexpr std::string_view kDpiLevelNote = "Str811";
inline constexpr std::string_view kLedState = "Str812";
inline constexpr std::string_view kOn = "Str813";
inline constexpr std::string_view kOff = "Str814";
inline constexpr std::string_view kLedModeCombination = "Str815";
inline constexpr std::string_view kLedOnOffCombination = "Str816";
inline constexpr std::string_view kLedBrightness = "Str817";
inline constexpr std::string_view kSaveKeyMode = "Str818";
inline constexpr std::string_view kNoSaveKeyMode = "Str819";
inline constexpr std::string_view kLedMode = "Str820";
inline constexpr std::string_view kMacroList = "Str835";
inline constexpr std::string_view kMacroContent = "Str836";
inline constexpr std::string_view kRecordDelays = "Str837";
inline constexpr std::string_view kDefaultDelay = "Str838";
inline constexpr std::string_view kNoDelay = "Str839";
inline constexpr std::string_view kMilliseconds = "Str840";
inline constexpr std::string_view kStopOnRelease = "Str841";
inline constexpr std::string_view kRunToEnd = "Str842";
inline constexpr std::string_view kStopOnReleaseOption = "Str843";
inline constexpr std::string_view kShots = "Str844";
inline constexpr std::string_view kOffsetXY = "Str845";
inline constexpr std::string_view kOffsetY = "Str846";
inline constexpr std::string_view kIntervalMs = "Str847";
inline constexpr std::string_view kColour = "Str848";
// The labels of DPI levels 1 to 7.
inline constexpr std::string_view kDpiLevel1 = "Str849";
inline constexpr std::string_view kDpiLevel2 = "Str850";
inline constexpr std::string_view kDpiLevel3 = "Str851";
inline constexpr std::string_view kDpiLevel4 = "Str852";
inline constexpr std::string_view kDpiLevel5 = "Str853";
inline constexpr std::string_view kDpiLevel6 = "Str854";
inline constexpr std::string_view kDpiLevel7 = "Str855";

// The macro page and its input dialogs.
inline constexpr std::string_view kMacroTooLong = "Str103";
inline constexpr std::string_view kMacroExists = "Str106";
inline constexpr std::string_view kRecord = "Str400";
inline constexpr std::string_view kStopRecording = "Str401";
inline constexpr std::string_view kRename = "Str402";
inline constexpr std::string_view kExportOne = "Str404";
inline constexpr std::string_view kExportAll = "Str405";
inline constexpr std::string_view kImportOne = "Str406";
inline constexpr std::string_view kImportAll = "Str407";
inline constexpr std::string_view kDeleteRow = "Str408";
inline constexpr std::string_view kInsertRow = "Str409";
inline constexpr std::string_view kInsertDelayFront = "Str410";
inline constexpr std::string_view kInsertDelayBack = "Str411";
inline constexpr std::string_view kInsertKeyFront = "Str412";
inline constexpr std::string_view kInsertKeyBack = "Str413";
inline constexpr std::string_view kInsertRecordDelay = "Str414";
inline constexpr std::string_view kInsertDefaultDelay = "Str415";
inline constexpr std::string_view kInsertNoDelay = "Str416";
inline constexpr std::string_view kDelayTime = "Str417";
inline constexpr std::string_view kMs = "Str418";
inline constexpr std::string_view kInsertOk = "Str420";
inline constexpr std::string_view kInsertKeyOk = "Str421";
inline constexpr std::string_view kInsertCancel = "Str422";
inline constexpr std::string_view kNewMacro = "Str432";
inline constexpr std::string_view kDeleteMacro = "Str433";
inline constexpr std::string_view kEditRow = "Str435";
inline constexpr std::string_view kReleaseStopsOption = "Str436";
inline constexpr std::string_view kReleaseContinuesOption = "Str437";
inline constexpr std::string_view kInsertXFront = "Str440";
inline constexpr std::string_view kInsertXBack = "Str441";
inline constexpr std::string_view kInsertYFront = "Str442";
inline constexpr std::string_view kInsertYBack = "Str443";
inline constexpr std::string_view kXValue = "Str444";
inline constexpr std::string_view kYValue = "Str445";
inline constexpr std::string_view kInsertRepeatStart = "Str446";
inline constexpr std::string_view kInsertRepeatStop = "Str447";
inline constexpr std::string_view kRepeatNumber = "Str448";
inline constexpr std::string_view kMacroNameTitle = "Str510";
inline constexpr std::string_view kInputConfirm = "Str511";
inline constexpr std::string_view kInputClear = "Str512";
inline constexpr std::string_view kInputKeyTitle = "Str520";
inline constexpr std::string_view kInputDelayTitle = "Str521";
inline constexpr std::string_view kInputValueTitle = "Str523";

}  // namespace vornik::textkey
