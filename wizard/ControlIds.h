#pragma once
// The wizard's controls, by their dialog template IDs (the IDs lab scripts address).
// Pages show and place them; the message map routes their commands. The lab guide
// (docs/lab.md) lists which page shows which.
enum WizardControl : int {
    IdNetworkList = 1015,
    IdTitle = 1060,
    IdSubtitle = 1061,
    // Body lines and steps, in page order.
    IdBody1 = 1063,
    IdBody2 = 1065,
    IdBody3 = 1086,
    IdBody4 = 1097,
    IdBody5 = 1183,
    IdBody6 = 1184,
    IdBody7 = 1185,
    IdBusyAnimation = 1070,
    // The status line under the busy animation, and the lines shown instead of it.
    IdStatus = 1071,
    IdStatus2 = 1152,
    IdStatus3 = 1153,
    IdStatus4 = 1161,
    // Next in widths 70, 93 and 115; Back in 70, 93, 115 and the second 115 and 70.
    IdNext = 1067,
    IdNext93 = 1073,
    IdNext115 = 1074,
    IdBack = 1068,
    IdBack93 = 1077,
    IdBack115 = 1075,
    IdBack115Alt = 1072,
    IdBackAlt = 1078,
    IdCancel = 1069,  // also captioned Close
    IdRescan = 1098,
    IdRefreshBubble = 1102,
    IdRefreshLabel = 1119,
    IdWpsConnect = 1103,
    IdSortByName = 1120,
    IdSortBySecurity = 1121,
    IdSortByStrength = 1122,
    IdWpsLink = 1117,
    IdHiddenNetworkLink = 1118,
    IdPinLink = 1127,
    IdLearnMoreLink = 1128,
    IdViewDetailsLink = 1134,
    IdNeedHelpLink = 1154,
    IdLicenceLink = 1182,  // also the update download link
    IdLicenceBox = 1162,
    IdLicenceBoxTicked = 1163,
    IdLanguageCombo = 1179,
    // The WPS PIN page: the box that shows the PIN, and the failure view's inline words.
    IdPinBox = 1151,
    IdInlineRetry = 1131,
    IdInlineSkip = 1133,
};
