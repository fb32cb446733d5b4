// The worked sensor blocks as they stand on disk, shared by the tests that write and read them.
#pragma once

#include <string>

// Sensor 11 ('B') answered during a sweep: N = 12, samples 05 1A 2F 44 59 6E 83 98 AD C2 D7 EC.
inline const std::string kSweepBlockB =
    "[SENSOR B]\r\n"
    "\r\n"
    "STORAGE AVERAGE DATA FROM   1 TO  12:\r\n"
    "AVERAGE TIME: 1\r\n"
    "0X00, 0X0C, \r\n"
    "0X00,0X00,0X00,0X00,\r\n"
    "0X05, 0X1A, 0X2F, 0X44, 0X59, 0X6E, 0X83, 0X98, 0XAD, 0XC2, \r\n"
    "0XD7, 0XEC\r\n"
    "\r\n"
    "FROM 1 TO 12 SUM:0X00000000   0  \r\n"
    "\r\n"
    "\r\n";

// Sensor 2 with 2 frames: averages 10 F1 7F, block sum 16610.
inline const std::string kReportBlock2 =
    "[SENSOR 2]\r\n"
    "\r\n"
    "STORAGE AVERAGE DATA FROM   1 TO   3:\r\n"
    "AVERAGE TIME: 2\r\n"
    "0X00, 0X03, \r\n"
    "0XE2, 0X40, 0X00, 0X00, \r\n"
    "0X10, 0XF1, 0X7F\r\n"
    "\r\n"
    "FROM 1 TO 3 SUM:0X000040E2   16610  \r\n"
    "\r\n"
    "\r\n";

// Sensor 3 with 4 frames: averages 7F 80 05, block sum 32538.
inline const std::string kReportBlock3 =
    "[SENSOR 3]\r\n"
    "\r\n"
    "STORAGE AVERAGE DATA FROM   1 TO   3:\r\n"
    "AVERAGE TIME: 4\r\n"
    "0X00, 0X03, \r\n"
    "0X1A, 0X7F, 0X00, 0X00, \r\n"
    "0X7F, 0X80, 0X05\r\n"
    "\r\n"
    "FROM 1 TO 3 SUM:0X00007F1A   32538  \r\n"
    "\r\n"
    "\r\n";
