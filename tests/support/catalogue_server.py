"""A small HTTP server on 127.0.0.1 for the catalogue update tests.

Serves /<case>/qvr/soft.txt and /<case>/qvr/soft.ini for these cases:
  good     a valid catalogue and its links
  badtree  a catalogue with a line indented two levels too deep
  badini   a valid catalogue, but the links answer 404
  missing  404 for both files
  error    500 for both files
  cut      announces 5000 bytes of catalogue, sends 100 and closes the connection
  chunked     a chunked catalogue cut before its last chunk
  chunkedini  a valid catalogue; chunked links cut after 30 bytes
  chunkedwhole  a chunked catalogue with its last chunk, sent even to an HTTP/1.0 request
  twocodings    a catalogue in one chunk with its length, under two Transfer-Encoding headers: identity, chunked
  longcoding    a catalogue in one chunk with its length, under one Transfer-Encoding of 66 characters
  compressing   both files chunked to HTTP/1.1 requests and with their length to HTTP/1.0 ones, as a
                server compressing on the fly does
  html        a valid catalogue; an HTML page as the links, with 200
  binary      random bytes as the catalogue
  huge        announces a 600 MiB catalogue and sends zeros until the client goes
  redirect    redirects the catalogue to https:// on this same plain-HTTP port
  silent      accepts the connection and answers nothing for 45 s
  drip        a valid catalogue, one byte a second
Writes the port it listens on to the file named by its one argument.
"""
import http.server
import os
import random
import sys
import time

CATALOGUE = b"Updated tools\r\n\tNew editor\r\nUpdated games\r\n\tChess\r\n"
LINKS = b"[Linkit]\r\nnew editor=https://example.org/editor\r\nChess=\"https://example.org/chess\"\r\n"
BAD_CATALOGUE = b"Broken\r\n\t\tToo deep\r\n"
HTML_PAGE = b"<html><head><title>Maintenance</title></head><body>Back soon.</body></html>\r\n"
RANDOM_BYTES = random.Random(7).randbytes(3000)
LONG_CODING = "gzip, deflate, br, compress, identity, x-gzip, x-compress, chunked"


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"  # kept-alive connections, as real servers keep them

    def do_GET(self):
        parts = self.path.strip("/").split("/")
        case, name = parts[0], parts[-1]
        if case == "silent":
            time.sleep(45)
            self.close_connection = True
            return
        if case == "drip" and name == "soft.txt":
            return self.drip(CATALOGUE)
        if (case == "chunked" and name == "soft.txt") or (case == "chunkedini" and name == "soft.ini"):
            return self.chunked(CATALOGUE if name == "soft.txt" else LINKS[:30], whole=False)
        if case == "chunkedwhole" and name == "soft.txt":
            return self.chunked(CATALOGUE, whole=True)
        if case == "twocodings" and name == "soft.txt":
            return self.framed_with_length(CATALOGUE, ["identity", "chunked"])
        if case == "longcoding" and name == "soft.txt":
            return self.framed_with_length(CATALOGUE, [LONG_CODING])
        if case == "compressing" and self.request_version != "HTTP/1.0":
            return self.chunked(CATALOGUE if name == "soft.txt" else LINKS, whole=True)
        if case == "html" and name == "soft.ini":
            return self.answer(200, HTML_PAGE)
        if case == "binary" and name == "soft.txt":
            return self.answer(200, RANDOM_BYTES)
        if case == "huge" and name == "soft.txt":
            return self.endless_zeros(600 * 1024 * 1024)
        if case == "redirect" and name == "soft.txt":
            self.send_response(302)
            self.send_header("Location", "https://127.0.0.1:%d/good/qvr/soft.txt" % self.server.server_address[1])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if case == "missing" or (case == "badini" and name == "soft.ini"):
            return self.answer(404, b"<html>Not found</html>")
        if case == "error":
            return self.answer(500, b"<html>Server error</html>")
        if case == "cut" and name == "soft.txt":
            self.send_response(200)
            self.send_header("Content-Length", "5000")
            self.end_headers()
            self.wfile.write(CATALOGUE[:40] * 3)
            self.wfile.flush()
            self.close_connection = True
            return
        if name == "soft.txt":
            return self.answer(200, BAD_CATALOGUE if case == "badtree" else CATALOGUE)
        if name == "soft.ini":
            return self.answer(200, LINKS)
        return self.answer(404, b"")

    def drip(self, body):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        for i in range(len(body)):
            self.wfile.write(body[i:i + 1])
            self.wfile.flush()
            time.sleep(1)

    def chunked(self, body, whole):
        self.send_response(200)
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        for start in range(0, len(body), 10):
            part = body[start:start + 10]
            self.wfile.write(b"%x\r\n%s\r\n" % (len(part), part))
        if whole:
            self.wfile.write(b"0\r\n\r\n")
        self.wfile.flush()
        self.close_connection = not whole

    def framed_with_length(self, body, codings):
        framed = b"%x\r\n%s\r\n0\r\n\r\n" % (len(body), body)
        self.send_response(200)
        for coding in codings:
            self.send_header("Transfer-Encoding", coding)
        self.send_header("Content-Length", str(len(framed)))
        self.end_headers()
        self.wfile.write(framed)

    def endless_zeros(self, announced):
        self.send_response(200)
        self.send_header("Content-Length", str(announced))
        self.end_headers()
        zeros = bytes(65536)
        for _ in range(announced // len(zeros)):
            self.wfile.write(zeros)

    def answer(self, status, body):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that went away mid-answer is one of the cases


server = Server(("127.0.0.1", 0), Handler)
with open(sys.argv[1] + ".new", "w") as port_file:
    port_file.write(str(server.server_address[1]))
os.replace(sys.argv[1] + ".new", sys.argv[1])
server.serve_forever()
