"""An FTP server on 127.0.0.1 for the tests of the template exchange.

One account (--user/--password) whose login folder is --root; remote names
are read as GBK, as the officers' programs send them. --mode:
  normal  serves and stores files
  cut     a download stops with an error after 128 KiB of data
  stall   a download stops sending after 128 KiB and never ends
  silent  accepts connections and never greets
Usage: ftp_server.py --port-file F --root DIR --user U --password P [--mode M]
"""
import argparse
import logging
import os
import socket
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

HALF = 128 * 1024


class BrokenFile:
    """A file whose reads give out after HALF bytes."""

    def __init__(self, real, mode):
        self.real = real
        self.mode = mode
        self.sent = 0
        self.name = real.name
        self.closed = False

    def read(self, size=-1):
        if self.sent >= HALF:
            if self.mode == "stall":
                time.sleep(60)
            raise OSError("disk gone")
        data = self.real.read(min(size, HALF - self.sent))
        self.sent += len(data)
        return data

    def close(self):
        self.closed = True
        self.real.close()

    def __getattr__(self, name):
        return getattr(self.real, name)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--mode", default="normal")
    args = parser.parse_args()
    logging.basicConfig(level=logging.ERROR)

    if args.mode == "silent":
        listener = socket.socket()
        listener.bind(("127.0.0.1", 0))
        listener.listen(5)
        write_port(args.port_file, listener.getsockname()[1])
        held = []
        while True:
            held.append(listener.accept()[0])

    class FileSystem(AbstractedFS):
        def open(self, filename, mode):
            real = super().open(filename, mode)
            if args.mode in ("cut", "stall") and "r" in mode:
                return BrokenFile(real, args.mode)
            return real

    class Handler(FTPHandler):
        auth_failed_timeout = 0.05
        # Reads must go through the file object, or the broken modes break
        # nothing.
        use_sendfile = False
        abstracted_fs = FileSystem

        def decode(self, data):
            return data.decode("gbk", self.unicode_errors)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    Handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), Handler)
    write_port(args.port_file, server.address[1])
    server.serve_forever()


def write_port(port_file, port):
    tmp = port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(port))
    os.rename(tmp, port_file)


if __name__ == "__main__":
    main()
