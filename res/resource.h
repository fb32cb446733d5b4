// Resource and control ids of the program's dialogs, string table and icon.
#pragma once

// Resources
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDD_MAIN_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_PORT_DIALOG = 129;

// Main dialog (template 102)
constexpr int IDC_CONTINUE = 1000;
constexpr int IDC_DISPERSE = 1001;
constexpr int IDC_SET_COMM = 1002;
constexpr int IDC_CLEAR = 1003;
constexpr int IDC_COMPARE = 1004;
constexpr int IDC_AVERAGE = 1005;
constexpr int IDC_ALL_SENSOR = 1006;
constexpr int IDC_SAVE = 1007;
constexpr int IDC_WAVE_DISPLAY = 1008;
constexpr int IDC_SENSOR_LIST = 1009;
constexpr int IDC_DATA = 1035;
constexpr int IDC_COM = 1073;
constexpr int IDC_BAUDRATE = 1074;
constexpr int IDC_TOTAL = 1075;
constexpr int IDC_START = 1076;
constexpr int IDC_END = 1077;
constexpr int IDC_SQUARE_SUM = 1078;
constexpr int IDC_STATUS = 1082;
constexpr int IDC_MODE_LABEL = 1083;
constexpr int IDC_PORT_TOGGLE = 1085;
constexpr int IDC_IMPORT_FILE = 1086;

// Port settings dialog (template 129)
constexpr int IDC_BAUD_LIST = 1036;
constexpr int IDC_PORT_LIST = 1037;
