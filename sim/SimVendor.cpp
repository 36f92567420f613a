// The chip vendor's library on the simulated PC: the site survey and the WPS exchange.
// Not played yet: the survey finds nothing and no exchange ever completes.
#include "sim/SimHardware.h"

namespace sim {

int SimHardware::RAWL_SiteSurveyScan(void (*)()) { return 0; }
int SimHardware::RAWL_SiteSurveyQuery(unsigned char*, ULONG*) { return 0; }
int SimHardware::RAWL_ParseInfoElement(const unsigned char*, unsigned char*) { return 0; }
int SimHardware::RAWL_FrequencyToChannel(ULONG) { return 0; }
int SimHardware::RAWL_WriteWPSFlag(int) { return 0; }
int SimHardware::RAWL_SetAuthMode(int) { return 0; }
int SimHardware::RAWL_Disassociate() { return 0; }
int SimHardware::RAWL_WlanDisconnect() { return 0; }
int SimHardware::RAWL_WlanDeleteAllWindowsProfiles() { return 0; }
int SimHardware::RAWL_WPSDisconnect() { return 0; }
int SimHardware::RAWL_SetPreferWPSAPPhyType(int) { return 0; }
int SimHardware::RAWL_SetWPSAutoSelect(int) { return 0; }
int SimHardware::RAWL_SetWPSMode(WpsModeRecord) { return 0; }
int SimHardware::RAWL_SetWPSProfile(WpsProfileRecord) { return 0; }
int SimHardware::RAWL_SetWPSAssociateIE(int) { return 0; }
int SimHardware::RAWL_SetWPSProbeReqIE(int) { return 0; }
int SimHardware::RAWL_QueryWPSStatus(DWORD*) { return 0; }
int SimHardware::RAWL_QueryWPSProfile(WpsProfileRecord*) { return 0; }

}  // namespace sim
