#!/usr/bin/python3
"""Loopback FTP servers for the FTP client library's tests.

  ftp_test_server.py start INFO   make a served folder, start the servers in the
                                  background, write INFO (key=value lines)
  ftp_test_server.py stop INFO    stop them and remove the served folder

Three servers listen on 127.0.0.1, each on a free port:
  port    pyftpdlib: user "weblogs"/"secret" (may write), anonymous (read only)
  rogue   misbehaves by user name: "close" drops both connections mid-file,
          "stall" stops sending mid-file, "mute" never answers PWD, "split"
          answers PWD in pieces over several lines, "short" answers no SIZE
          and ends f.log early with 226, "refuse" lists a.log, b.log and
          c.log and refuses b.log with 550 once it is sent, "elsewhere"
          names another loopback address in its PASV reply; every folder
          lists f.log (a.log to c.log for "refuse")
  silent  accepts connections and never says a word
The served folder holds logs/ (three .log files, error.txt, sub/), empty/
and upload/. The servers end themselves after LIFETIME seconds.
"""
import logging
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

LIFETIME = 900
ROGUE_SIZE = 100000
LOG_LINE = b'127.0.0.1 - - [10/Dec/2026:10:00:00 +0000] "GET / HTTP/1.0" 200 10\n'


def make_tree(root):
    logs = os.path.join(root, "logs")
    for folder in ("logs/sub", "empty", "upload"):
        os.makedirs(os.path.join(root, folder))
    files = {
        "access1.log": b'127.0.0.1 - - [10/Dec/2026:10:00:00 +0000] "GET / HTTP/1.0" 200 10\n' * 3,
        "access2.log": b'127.0.0.2 - - [10/Dec/2026:11:00:00 +0000] "GET /a HTTP/1.0" 404 0\n' * 2,
        "error.txt": b"[error] not a log\n",
        "sub/inner.log": b"inner\n",
    }
    # Large enough to span many reads and progress messages; every byte value occurs.
    files["big.log"] = bytes((i * 7 + i // 251) % 256 for i in range(300000))
    for name, data in files.items():
        with open(os.path.join(logs, name), "wb") as out:
            out.write(data)


def free_listener():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    s.listen(8)
    return s


def served_file(lines):
    return (LOG_LINE * lines)[: len(LOG_LINE) * lines]


def rogue_files(user):
    """What a user's folder holds: name -> (listed size, bytes sent, last reply).

    None for the bytes: the user's misbehaviour decides what is sent."""
    if user == "short":
        return {"f.log": (29000, served_file(29000 // len(LOG_LINE))[:14500], "226 done")}
    if user == "refuse":
        files = {name: served_file(lines) for name, lines in (("a.log", 30), ("b.log", 40),
                                                              ("c.log", 50))}
        return {name: (len(data), data, "550 refused" if name == "b.log" else "226 done")
                for name, data in files.items()}
    if user == "elsewhere":
        data = served_file(100)
        return {"f.log": (len(data), data, "226 done")}
    return {"f.log": (ROGUE_SIZE, None, None)}


def rogue_session(conn):
    reader = conn.makefile("rb")
    held = []

    def say(text):
        conn.sendall((text + "\r\n").encode())

    say("220 rogue ready")
    user, listener, files = "", None, {}
    try:
        for raw in reader:
            cmd, _, arg = raw.decode("latin-1").strip().partition(" ")
            cmd = cmd.upper()
            if cmd == "USER":
                user = arg
                files = rogue_files(user)
                say("331 password please")
            elif cmd == "PASS":
                say("230 logged in")
            elif cmd == "TYPE":
                say("200 type set")
            elif cmd == "SIZE" and user == "short":
                say("502 not here")
            elif cmd == "SIZE":
                say("213 %d" % files.get(arg.rsplit("/", 1)[-1], (ROGUE_SIZE,))[0])
            elif cmd == "PWD" and user == "split":
                # One reply over several lines and packets.
                for piece in ("257-the", " folder\r\n257-is\r", "\n257 \"/ro", 'gue" here\r\n'):
                    conn.sendall(piece.encode())
                    time.sleep(0.05)
            elif cmd == "PWD":
                if user != "mute":
                    say('257 "/" is the folder')
            elif cmd == "PASV":
                listener = free_listener()
                port = listener.getsockname()[1]
                # The listener is on 127.0.0.1 alone: a client that connects
                # where the reply points fails.
                host = "127,0,0,2" if user == "elsewhere" else "127,0,0,1"
                say("227 Entering Passive Mode (%s,%d,%d)" % (host, port >> 8, port & 255))
            elif cmd == "CWD":
                say("550 no such folder" if arg.endswith(".log") else "250 folder changed")
            elif cmd in ("NLST", "LIST") and listener:
                # The same files, whatever is asked: the engine's fetch lists before it receives.
                say("150 listing")
                data, _ = listener.accept()
                for name, (size, _, _) in sorted(files.items()):
                    line = "-rw-r--r--   1 rogue rogue %9d Dec 10 10:00 %s" % (size, name)
                    data.sendall(((line if cmd == "LIST" else name) + "\r\n").encode())
                data.close()
                say("226 listed")
            elif cmd == "RETR" and listener and files.get(arg.rsplit("/", 1)[-1], (0, None))[1]:
                _, sent, last = files[arg.rsplit("/", 1)[-1]]
                say("150 sending")
                data, _ = listener.accept()
                data.sendall(sent)
                data.close()
                say(last)
            elif cmd == "RETR" and listener:
                say("150 sending")
                data, _ = listener.accept()
                data.sendall(b"x" * 1000)
                if user == "close":
                    data.close()
                    conn.close()
                    return
                held.append(data)  # "stall": the rest never comes
            elif cmd == "ABOR":
                pass
            elif cmd == "QUIT":
                say("221 bye")
                return
            else:
                say("502 not here")
    except OSError:
        pass
    finally:
        for s in held:
            s.close()
        conn.close()


def accept_loop(listener, session):
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=session, args=(conn,), daemon=True).start()


def silent_session(conn):
    try:
        while conn.recv(1024):
            pass
    except OSError:
        pass
    conn.close()


def serve(info, root):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer

    logging.basicConfig(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user("weblogs", "secret", root, perm="elradfmwMT")
    authorizer.add_anonymous(root, perm="elr")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0.1  # its usual pause would outlast the tests' time-outs
    # A multi-line greeting with a line that looks like the end of a reply but is not.
    handler.banner = ("Ostrevane test server\r\n230 this line does not end the greeting\r\n"
                      "and a line long enough to make the greeting span several lines.")
    server = FTPServer(("127.0.0.1", 0), handler)
    rogue, silent = free_listener(), free_listener()
    for listener, session in ((rogue, rogue_session), (silent, silent_session)):
        threading.Thread(target=accept_loop, args=(listener, session), daemon=True).start()
    threading.Timer(LIFETIME, lambda: os._exit(0)).start()
    lines = {
        "port": server.socket.getsockname()[1],
        "rogue": rogue.getsockname()[1],
        "silent": silent.getsockname()[1],
        "root": root,
        "pid": os.getpid(),
    }
    with open(info + ".tmp", "w") as out:
        out.writelines("%s=%s\n" % item for item in lines.items())
    os.replace(info + ".tmp", info)
    server.serve_forever()


def read_info(info):
    with open(info) as f:
        return dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)


def start(info):
    stop(info)
    root = tempfile.mkdtemp(prefix="ov-ftp-")
    make_tree(root)
    log = open(os.path.abspath(info) + ".log", "w")  # one log per INFO: several sets may run
    subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", info, root],
                     stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
    deadline = time.time() + 20
    while time.time() < deadline:
        if os.path.exists(info):
            print("ftp test servers:", read_info(info))
            return 0
        time.sleep(0.1)
    print("ftp test servers did not start; see", log.name)
    return 1


def stop(info):
    if not os.path.exists(info):
        return 0
    values = read_info(info)
    try:
        os.kill(int(values["pid"]), signal.SIGTERM)
    except (KeyError, ValueError, ProcessLookupError):
        pass
    shutil.rmtree(values.get("root", ""), ignore_errors=True)
    os.remove(info)
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "serve":
        serve(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3 and sys.argv[1] in ("start", "stop"):
        sys.exit(start(sys.argv[2]) if sys.argv[1] == "start" else stop(sys.argv[2]))
    else:
        sys.exit(__doc__)
