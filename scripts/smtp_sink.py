#!/usr/bin/python3
"""SMTP sink for the tests: listens on 127.0.0.1 on a free port and stores
every message it accepts in the given folder:
  port            the port, written once the sink listens
  mail-N.eml      the message as received (dot-stuffing already undone)
  mail-N.rcpt     the envelope recipients, one a line
  mail-N.parts/   each attachment decoded by Python's own MIME reader
Usage: smtp_sink.py FOLDER"""
import asyncio
import email
import email.policy
import os
import sys

from aiosmtpd.smtp import SMTP


class Store:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.folder, "mail-%d" % self.count)
        raw = envelope.original_content or envelope.content
        parts = base + ".parts"
        os.makedirs(parts, exist_ok=True)
        message = email.message_from_bytes(raw, policy=email.policy.compat32)
        for part in message.walk():
            name = part.get_filename()
            if name:
                with open(os.path.join(parts, os.path.basename(name)), "wb") as f:
                    f.write(part.get_payload(decode=True) or b"")
        with open(base + ".rcpt", "w") as f:
            f.write("".join(r + "\n" for r in envelope.rcpt_tos))
        # The message file last: its presence says the rest is there.
        with open(base + ".tmp", "wb") as f:
            f.write(raw)
        os.replace(base + ".tmp", base + ".eml")
        return "250 Message accepted"


async def main(folder):
    store = Store(folder)
    loop = asyncio.get_running_loop()
    server = await loop.create_server(
        lambda: SMTP(store, data_size_limit=64 * 1024 * 1024), "127.0.0.1", 0)
    port = server.sockets[0].getsockname()[1]
    with open(os.path.join(folder, "port.tmp"), "w") as f:
        f.write("%d\n" % port)
    os.replace(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    asyncio.run(main(sys.argv[1]))
