"""Serves a folder over HTTP on 127.0.0.1 for the web browse dialog's tests.

Prints the port it listens on, then serves until it is stopped or the time limit passes.

    web_server.py FOLDER SECONDS
"""
import functools
import http.server
import sys
import threading


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def main():
    folder, seconds = sys.argv[1], float(sys.argv[2])
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    print(server.server_address[1], flush=True)
    limit = threading.Timer(seconds, server.shutdown)
    limit.daemon = True
    limit.start()
    server.serve_forever()
    sys.exit(0)


if __name__ == "__main__":
    main()
