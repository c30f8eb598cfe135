#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in for the OurAirports data site on loopback, for the update tests.

    loopback_server.py ROOT LOG

Serves ROOT/<file> (or ROOT/<file>.gz unpacked) as /<scenario>/<file> with an
ETag and a Last-Modified date, answers 304 to a request that names the
current ETag, and appends "<path> <status>" to LOG for each request. Prints
the port it listens on (an ephemeral one on 127.0.0.1), then serves until
killed. A scenario "ok" serves every file as it is; "<fault>-<file>" spoils
that one file:

    404    answers 404 Not Found
    html   answers 200 with an HTML error page
    cut    announces the whole length, sends half and closes the connection
    stall  sends half and then nothing for a minute
    slow   sends the file in small pieces with pauses (to be interrupted)
"""
import gzip
import hashlib
import http.server
import os
import socketserver
import sys
import threading
import time

ROOT = sys.argv[1]
LOG = sys.argv[2]
LAST_MODIFIED = "Sat, 22 Aug 2026 06:10:00 GMT"
log_lock = threading.Lock()


def body_of(name):
    plain = os.path.join(ROOT, name)
    if os.path.isfile(plain):
        with open(plain, "rb") as f:
            return f.read()
    if os.path.isfile(plain + ".gz"):
        with gzip.open(plain + ".gz", "rb") as f:
            return f.read()
    return None


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def note(self, status):
        with log_lock, open(LOG, "a") as log:
            log.write("%s %d\n" % (self.path, status))

    def do_GET(self):
        parts = self.path.strip("/").split("/")
        scenario, name = (parts + [""])[:2]
        fault, _, spoilt = scenario.partition("-")
        if spoilt != name:
            fault = "ok"
        body = body_of(name) if "/" not in name and name else None
        if body is None or fault == "404":
            self.note(404)
            page = b"Not Found"
            self.send_response(404)
            self.send_header("Content-Length", str(len(page)))
            self.end_headers()
            self.wfile.write(page)
            return
        if fault == "html":
            self.note(200)
            page = b"<!DOCTYPE html>\n<html><head><title>Service unavailable</title></head>" \
                   b"<body><h1>Try again later</h1></body></html>\n"
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(page)))
            self.end_headers()
            self.wfile.write(page)
            return
        etag = '"%s"' % hashlib.sha1(body).hexdigest()
        if self.headers.get("If-None-Match") == etag:
            self.note(304)
            self.send_response(304)
            self.send_header("ETag", etag)
            self.end_headers()
            return
        self.note(200)
        self.send_response(200)
        self.send_header("Content-Type", "text/csv; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("ETag", etag)
        self.send_header("Last-Modified", LAST_MODIFIED)
        self.end_headers()
        if fault in ("cut", "stall"):
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            if fault == "stall":
                time.sleep(60)
            self.close_connection = True
            return
        if fault == "slow":
            for start in range(0, len(body), 64):
                self.wfile.write(body[start : start + 64])
                self.wfile.flush()
                time.sleep(0.05)
            return
        self.wfile.write(body)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # Clients that hang up half way are what several tests are about.
        pass


server = Server(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
