#!/usr/bin/python3
"""Answers every HTTP request (also proxied ones) with the current time in a Date header."""
import http.server
import sys


class Handler(http.server.BaseHTTPRequestHandler):
    def answer(self):
        self.send_response(200)
        self.send_header("Content-Length", "0")
        self.end_headers()

    do_HEAD = do_GET = answer

    def log_message(self, *args):
        pass


http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), Handler).serve_forever()
