// The control IDs of the Win32 windows; the tests find the controls by them.
#pragma once

#include <windows.h>

namespace glyphgrab::wingui {

// The main window.
inline constexpr int kIdLabel1 = 101;     // 参照フォルダ：
inline constexpr int kIdButtonF = 102;    // the root folder button
inline constexpr int kIdTree = 103;       // TreeView1
inline constexpr int kIdFilterLabel = 104;
inline constexpr int kIdFilter = 105;     // ComboBox1
inline constexpr int kIdButton2 = 106;    // 設定
inline constexpr int kIdButton3 = 107;    // メモ
inline constexpr int kIdButtonT = 108;    // 検索
inline constexpr int kIdButtonX = 109;    // 終了
inline constexpr int kIdFileList = 110;   // ListView1
inline constexpr int kIdPreview = 111;
inline constexpr int kIdLines = 112;      // ListBox1, the extraction list
inline constexpr int kIdButtonP = 113;    // 図面プレビュー

// The search window.
inline constexpr int kIdSearchKeywordLabel = 201;
inline constexpr int kIdSearchKeyword = 202;  // a drop-down combo box with the history
inline constexpr int kIdSearchTypes = 203;    // the group box
inline constexpr int kIdSearchCheck0 = 210;   // + 0..8: the check boxes
inline constexpr int kIdSearchStart = 220;
inline constexpr int kIdSearchClose = 221;
inline constexpr int kIdSearchResults = 222;
inline constexpr int kIdSearchResultsHeader = 223;

// The memo window.
inline constexpr int kIdMemoTabs = 301;
inline constexpr int kIdMemoEdit = 302;
inline constexpr int kIdMemoLines = 303;
inline constexpr int kIdMemoClose = 304;
inline constexpr int kIdMemoSort = 305;
inline constexpr int kIdMemoCopy = 306;
inline constexpr int kIdMemoSend = 307;
inline constexpr int kIdMemoClear = 308;

// The settings dialog.
inline constexpr int kIdSettingsOption0 = 401;  // + 0..4: the extraction options
inline constexpr int kIdSettingsHelp = 410;
inline constexpr int kIdSettingsProfile = 411;  // the profile number combo box
inline constexpr int kIdSettingsTabs = 412;
inline constexpr int kIdSettingsWait = 413;
inline constexpr int kIdSettingsMaximize = 414;
inline constexpr int kIdSettingsOneLine = 415;
inline constexpr int kIdSettingsTitle = 416;
inline constexpr int kIdSettingsCommand = 417;
inline constexpr int kIdSettingsOk = IDOK;
inline constexpr int kIdSettingsCancel = IDCANCEL;

}  // namespace glyphgrab::wingui
