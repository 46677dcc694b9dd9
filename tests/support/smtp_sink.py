#!/usr/bin/python3
"""A mail sink for tests: an SMTP server on 127.0.0.1 that stores each message.

    /usr/bin/python3 smtp_sink.py --store DIR [--refuse ADDRESS]...

Binds a free port and prints "listening on 127.0.0.1:PORT" once it accepts
connections. Message N goes to DIR/N/: mail_from, rcpt_tos (one a line), raw
(the bytes as received), header.<Name> (every occurrence, one a line),
body (the decoded plain-text part), attachment.name and attachment (the
decoded bytes of the first attachment), attachment2.name and attachment2 (the
second), and so on. Recipients given with --refuse get
"550" and no message is stored. Runs until it is terminated.
"""
import argparse
import asyncio
import email
import email.policy
import os
import signal
import socket
import sys

try:
    from aiosmtpd.smtp import SMTP
except ImportError as e:  # the test reports this and skips
    print(f"aiosmtpd missing: {e}", flush=True)
    sys.exit(3)

HEADERS = ["From", "To", "Reply-To", "Subject", "Date", "Message-ID"]


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


class StoringHandler:
    def __init__(self, store, refused):
        self.store = store
        self.refused = {a.lower() for a in refused}
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower() in self.refused:
            return "550 5.1.1 Recipient refused"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        folder = os.path.join(self.store, str(self.count))
        os.makedirs(folder + ".tmp")
        raw = envelope.original_content or envelope.content
        write(folder + ".tmp", "mail_from", envelope.mail_from)
        write(folder + ".tmp", "rcpt_tos", "\n".join(envelope.rcpt_tos))
        write(folder + ".tmp", "raw", raw)
        message = email.message_from_bytes(raw, policy=email.policy.default)
        for name in HEADERS:
            write(folder + ".tmp", "header." + name, "\n".join(str(v) for v in message.get_all(name, [])))
        body = message.get_body(preferencelist=("plain",))
        if body is not None:
            write(folder + ".tmp", "body", body.get_payload(decode=True))
        for number, part in enumerate(message.iter_attachments(), 1):
            name = "attachment" + (str(number) if number > 1 else "")
            write(folder + ".tmp", name + ".name", part.get_filename() or "")
            write(folder + ".tmp", name, part.get_payload(decode=True))
        os.rename(folder + ".tmp", folder)  # a reader never sees half a message
        return "250 Message accepted"


async def serve(args):
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    sock.bind(("127.0.0.1", 0))
    handler = StoringHandler(args.store, args.refuse)
    loop = asyncio.get_running_loop()
    server = await loop.create_server(lambda: SMTP(handler, hostname="sink.test"), sock=sock)
    stop = asyncio.Event()
    loop.add_signal_handler(signal.SIGTERM, stop.set)
    print(f"listening on 127.0.0.1:{sock.getsockname()[1]}", flush=True)
    async with server:
        await stop.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--store", required=True)
    parser.add_argument("--refuse", action="append", default=[])
    asyncio.run(serve(parser.parse_args()))


if __name__ == "__main__":
    main()
