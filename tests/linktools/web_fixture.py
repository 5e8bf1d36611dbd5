"""A web server on 127.0.0.1 for the web checks: answers of every kind, nothing from outside.

  web_fixture.py LOG    prints "PORT n" once it listens; logs "METHOD PATH" lines to LOG

  /ok        200                 /moved    301 to /ok            /missing   404
  /error     500                 /nohead   405 to HEAD, 200 to GET
  /silent    never answers (the check's time-out ends it)
A request in a proxy's form ("GET http://elsewhere.invalid/ok") is answered for its path, and
logged as "PROXY METHOD PATH": the server stands in for a proxy too.
"""
import http.server
import sys
import threading
import time

log = open(sys.argv[1], "a", buffering=1)
lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    def answer(self, body):
        proxied = self.path.startswith("http://")
        if proxied:
            self.path = "/" + self.path.split("/", 3)[3]
        with lock:
            log.write(("PROXY " if proxied else "") + f"{self.command} {self.path}\n")
        if self.path == "/silent":
            time.sleep(60)
            return
        if self.path == "/nohead" and self.command == "HEAD":
            status = 405
        else:
            status = {"/ok": 200, "/moved": 301, "/missing": 404, "/error": 500,
                      "/nohead": 200}.get(self.path, 404)
        content = b"<html><body>page</body></html>\n" * 100
        self.send_response(status)
        if status == 301:
            self.send_header("Location", "/ok")
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(content)))
        self.end_headers()
        if body:
            self.wfile.write(content)

    def do_HEAD(self):
        self.answer(False)

    def do_GET(self):
        self.answer(True)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(f"PORT {server.server_address[1]}", flush=True)
server.serve_forever()
