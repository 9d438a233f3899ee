"""A small HTTP server on 127.0.0.1 for the tests of the web fetch and the
update check. It records every raw request and answers by path:

  /silent...        reads the request and never answers
  /zero             a body with a zero byte in the middle
  /big              a body of 8 MiB
  /cookies          sets two cookies
  a file in --root  its bytes (200), else a small error page (404)

Usage: http_server.py --port-file F --log F [--root DIR]
The chosen port is written to the port file once the server listens.
"""
import argparse
import os
import socket
import socketserver
import threading
import time

args = None
log_lock = threading.Lock()


def answer(status, body, extra=b""):
    return (b"HTTP/1.1 " + status + b"\r\nContent-Length: " + str(len(body)).encode()
            + b"\r\nConnection: close\r\n" + extra + b"\r\n" + body)


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = self.request.recv(4096)
            if not chunk:
                break
            data += chunk
        with log_lock, open(args.log, "ab") as log:
            log.write(data.split(b"\r\n\r\n")[0] + b"\r\n\r\n")
        try:
            path = data.split(b" ")[1]
        except IndexError:
            return
        if path.startswith(b"/silent"):
            time.sleep(30)
            return
        if path == b"/zero":
            reply = answer(b"200 OK", b"abc\0def")
        elif path == b"/big":
            reply = answer(b"200 OK", b"x" * (8 * 1024 * 1024))
        elif path == b"/cookies":
            reply = answer(b"200 OK", b"ok",
                           b"Set-Cookie: session=abc; path=/\r\n"
                           b"set-cookie: lang=zh=cn\r\n"
                           b"X-Note: Set-Cookie: fake=1\r\n")
        else:
            name = os.path.join(args.root or "", path.decode("latin-1").lstrip("/"))
            if args.root and os.path.isfile(name):
                with open(name, "rb") as f:
                    reply = answer(b"200 OK", f.read())
            else:
                reply = answer(b"404 Not Found", b"<html><body>404 Not Found</body></html>")
        try:
            self.request.sendall(reply)
        except OSError:
            pass


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    global args
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--root")
    args = parser.parse_args()
    server = Server(("127.0.0.1", 0), Handler)
    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(tmp, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
