// Identifiers of the browser's dialogs, controls and icons. Shared by the
// resource script and the C++ code, so it holds only #define lines.
#pragma once

// Dialog templates.
#define IDD_CONFIG 164
#define IDD_MAIN 165
#define IDD_DETAILS 166

// Icons. IDI_APP is the lowest-numbered group, so it is also the program file's icon.
#define IDI_APP 106
#define IDI_PLAYER 134
#define IDI_SERVER 135
#define IDI_INFO 136
#define IDI_PING_GOOD 137
#define IDI_PING_BAD 138
#define IDI_PING_MEDIUM 139
#define IDI_OS_WINDOWS 168
#define IDI_OS_LINUX 169
#define IDI_OS_FREEBSD 170
#define IDI_OS_MAC 171
// Laid over the Host Name icon of a favourite server.
#define IDI_FAVOURITE 172

// Controls of IDD_MAIN.
#define IDC_STATUSBAR 140
#define IDC_SERVERLIST 1017
#define IDC_PLAYERLIST 1018
#define IDC_EXIT 1019
#define IDC_CONFIG 1020
#define IDC_UPDATE 1021
#define IDC_SERVERS_GROUP 1022
#define IDC_PLAYERS_GROUP 1023
#define IDC_CONTROLS_GROUP 1024
#define IDC_SHOWFULL 1028
#define IDC_SHOWEMPTY 1029
// Made when the find field is first opened.
#define IDC_FIND_LABEL 1030
#define IDC_FIND 1031

// Commands of the main window that no control of it sends: the find field
// (Ctrl+F and F3) and the details of the selected server (Alt+Enter and the
// server list's context menu).
#define IDM_FIND 40101
#define IDM_SERVER_DETAILS 40102

// Controls of IDD_DETAILS. Its Join and Refresh go to the main window, so
// their identifiers are distinct from those of IDD_MAIN.
#define IDC_DETAILS_NAME 1040
#define IDC_DETAILS_ADDRESS 1041
#define IDC_DETAILS_COUNTS 1042
#define IDC_DETAILS_PLAYERS_LABEL 1043
#define IDC_DETAILS_PLAYERS 1044
#define IDC_DETAILS_RULES_LABEL 1045
#define IDC_DETAILS_RULES 1046
#define IDC_DETAILS_STATUS 1047
#define IDC_DETAILS_JOIN 1048
#define IDC_DETAILS_REFRESH 1049
#define IDC_DETAILS_ADDRESS_LABEL 1050

// Commands of the main window that no control sends: the server list's
// context menu and the keyboard (app/server_menu_win32.cpp,
// app/main_keys_win32.cpp).
#define IDM_JOIN_SERVER 40001
#define IDM_COPY_ADDRESS 40002
// The context-menu key: the server list's menu at the selected row.
#define IDM_SERVER_MENU 40003
#define IDM_ADD_FAVOURITE 40004
#define IDM_REMOVE_FAVOURITE 40005
// One server asked again, its row updated where it stands.
#define IDM_REFRESH_SERVER 40006
// Watching for buddies, from the server list's menu or the notification-area
// icon's (app/buddy_watch_win32.cpp), and the icon's way back to the window.
#define IDM_WATCH_BUDDIES 40010
#define IDM_SHOW_WINDOW 40011
// Quick join: the best server shown (app/server_commands_win32.cpp).
#define IDM_QUICK_JOIN 40012

// Controls of IDD_CONFIG. Identifiers are per dialog: 1028 is also IDC_SHOWFULL.
#define IDC_MEDIUMPING 109
#define IDC_GAMEPATH 1014
#define IDC_GAMEEXE 1015
#define IDC_BUDDIES 1025
#define IDC_QPS 1027
#define IDC_GOODPING 1028
