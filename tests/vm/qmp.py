#!/usr/bin/env python3
"""Sends one command to a QEMU monitor socket (QMP) and prints the answer.

    qmp.py SOCKET COMMAND [JSON-ARGUMENTS] [--wait-event NAME] [--timeout SECONDS]

e.g.  qmp.py /tmp/x/qmp.sock device_del '{"id": "adapter"}' --wait-event DEVICE_DELETED
      qmp.py /tmp/x/qmp.sock device_add '{"driver": "usb-serial", "chardev": "C", "id": "adapter"}'

Negotiates capabilities first. With --wait-event it also waits for that event (for
DEVICE_DELETED, the one naming the device of the arguments' "id"). Exit status: 0 done,
1 QEMU answered with an error, 2 wrong command line, 3 no answer within the timeout or
no socket.
"""
import json
import socket
import sys
import time


def main(argv):
    args = list(argv[1:])
    wait_event = None
    timeout = 10.0
    try:
        if "--wait-event" in args:
            i = args.index("--wait-event")
            wait_event = args[i + 1]
            del args[i:i + 2]
        if "--timeout" in args:
            i = args.index("--timeout")
            timeout = float(args[i + 1])
            del args[i:i + 2]
        sock_path, command = args[0], args[1]
        arguments = json.loads(args[2]) if len(args) > 2 else None
        if len(args) > 3:
            raise IndexError
    except (IndexError, ValueError):
        print(__doc__, file=sys.stderr)
        return 2

    deadline = time.monotonic() + timeout
    try:
        sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        sock.settimeout(timeout)
        sock.connect(sock_path)
    except OSError as e:
        print(f"qmp: {sock_path}: {e}", file=sys.stderr)
        return 3

    buffer = b""
    events = []

    def message():
        nonlocal buffer
        while b"\n" not in buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError
            sock.settimeout(left)
            chunk = sock.recv(65536)
            if not chunk:
                raise ConnectionError("QEMU closed the monitor")
            buffer += chunk
        line, buffer = buffer.split(b"\n", 1)
        return json.loads(line)

    def answer(execute, arguments=None):
        request = {"execute": execute}
        if arguments is not None:
            request["arguments"] = arguments
        sock.sendall(json.dumps(request).encode() + b"\n")
        while True:
            m = message()
            if "event" in m:
                events.append(m)
            elif "return" in m or "error" in m:
                return m

    def wanted(m):
        if m.get("event") != wait_event:
            return False
        device = (arguments or {}).get("id")
        return wait_event != "DEVICE_DELETED" or device is None or m.get("data", {}).get("device") == device

    try:
        message()  # greeting
        m = answer("qmp_capabilities")
        if "error" in m:
            print(f"qmp: {m['error']}", file=sys.stderr)
            return 1
        m = answer(command, arguments)
        print(json.dumps(m))
        if "error" in m:
            return 1
        if wait_event:
            while not any(wanted(e) for e in events):
                e = message()
                if "event" in e:
                    events.append(e)
            print(json.dumps(next(e for e in events if wanted(e))))
    except (TimeoutError, socket.timeout):
        print(f"qmp: no answer within {timeout:g} s", file=sys.stderr)
        return 3
    except (OSError, ConnectionError, ValueError) as e:
        print(f"qmp: {e}", file=sys.stderr)
        return 3
    finally:
        sock.close()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
