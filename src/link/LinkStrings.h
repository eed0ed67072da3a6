#pragma once
// String-table ids of the radio link beyond the three transfer messages
// (61451, 61453, 61454 in app/LanguageBundle.h): verify, port diagnosis,
// the partly-written note and backups. Both language bundles carry them.
namespace Ids {
constexpr int VerifyTitle = 61730;        // progress dialog caption of Verify
constexpr int VerifyMatches = 61731;
constexpr int VerifyDiffers = 61732;      // heading of the list of differences
constexpr int VerifyMore = 61733;         // %1 lines not shown
constexpr int VerifyChannelCell = 61734;  // %1 channel, %2 column, %3 document, %4 radio
constexpr int VerifyChannelBytes = 61735; // %1 channel
constexpr int VerifyOption = 61736;       // %1 option, %2 document, %3 radio
constexpr int VerifyMemory = 61737;       // %1 offset or range of offsets
constexpr int VerifyEmpty = 61738;        // an empty cell or option
constexpr int PortLine = 61739;           // %1 port label, "COM1 (/dev/ttyS0)"
constexpr int ReasonLine = 61740;         // %1 the system's reason
constexpr int JoinGroup = 61741;          // %1 group, %2 user
constexpr int UdevRule = 61742;           // %1 device, %2 mode, %3 owner, %4 group, %5 kernel name, %6 user
constexpr int LogInAgain = 61743;         // %1 group, %2 user
constexpr int NoDeviceForPort = 61744;    // %1 "COMn"
constexpr int PartlyWritten = 61745;
constexpr int BackupStored = 61746;       // %1 file
constexpr int BackupFailed = 61747;       // %1 the reason
constexpr int NoDevice = 61748;           // stands in for a missing device
constexpr int DeviceBusy = 61749;
} // namespace Ids
