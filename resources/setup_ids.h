/* Control IDs of the settings dialog "setup"; shared by its template, its
   procedure and the tests that drive it. Plain defines: the resource compiler
   reads this file too. */
#ifndef VERDO_SETUP_IDS_H
#define VERDO_SETUP_IDS_H

#define IDC_SETUP_CANCEL      2
#define IDC_SET_PHRASES       5
#define IDC_SETUP_OK          6
#define IDC_HOME_PAGE         7
#define IDC_RED_SLIDER        1009
#define IDC_GREEN_SLIDER      1010
#define IDC_BLUE_SLIDER       1011
#define IDC_DURATION_SLIDER   1020
#define IDC_PREVIEW_FRAME     1022
#define IDC_VIDEO_MODES       1026
#define IDC_LINK_PLACE        1034
#define IDC_INVERT            1037
#define IDC_MONITORS          1038

#endif
