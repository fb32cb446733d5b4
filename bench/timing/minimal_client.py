#!/usr/bin/env python3
"""The client an operator might write instead of the program, for the latency comparison.

Usage: minimal_client.py PORT FRAMES [gap|as-written]

It opens PORT at 115200 baud with pyserial and, FRAMES times, writes the request byte '0',
reads the reply until a gap of 50 ms and prints one line: the CLOCK_MONOTONIC moment (in
seconds) at which the read returned, and the number of bytes read. It prints "ready" once
the port is open, and waits 150 ms between requests.

as-written: pyserial's own inter_byte_timeout=0.05 with read(255). With pyserial 3.5 on Linux
this never ends a read at the gap: the setting only becomes VTIME = int(0.05 * 10) = 0, and
the port is open non-blocking, where VTIME does nothing anyway (pyserial issue #88). read(255)
returns at 255 bytes or at the overall timeout, set to 1 s here so that the client ends.

gap (the default): the same read written out, as an operator must once the above hangs. With
timeout=0.05 a read(1) waits at most 50 ms for a byte, so the loop ends 50 ms after the last
byte; what has already arrived is taken in one read.
"""
import sys
import time

import serial

FIRST_BYTE_LIMIT = 2.0  # seconds to wait for a reply to begin


def read_until_gap(port):
    reply = bytearray()
    started = time.monotonic()
    while len(reply) < 255:
        chunk = port.read(min(max(port.in_waiting, 1), 255 - len(reply)))
        if chunk:
            reply += chunk
        elif reply or time.monotonic() - started > FIRST_BYTE_LIMIT:
            break  # 50 ms without a byte: the reply is over
    return reply


def main():
    path, frames = sys.argv[1], int(sys.argv[2])
    mode = sys.argv[3] if len(sys.argv) > 3 else "gap"
    if mode == "as-written":
        port = serial.Serial(path, 115200, timeout=1.0, inter_byte_timeout=0.05)
    else:
        port = serial.Serial(path, 115200, timeout=0.05)
    print("ready", flush=True)
    for _ in range(frames):
        port.write(b"0")
        reply = port.read(255) if mode == "as-written" else read_until_gap(port)
        returned = time.clock_gettime(time.CLOCK_MONOTONIC)
        print(f"{returned:.6f} {len(reply)}", flush=True)
        time.sleep(0.15)
    port.close()


if __name__ == "__main__":
    main()
