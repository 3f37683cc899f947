"""A small HTTP server on 127.0.0.1 for the catalogue update tests.

Serves /<case>/qvr/soft.txt and /<case>/qvr/soft.ini for these cases:
  good     a valid catalogue and its links
  badtree  a catalogue with a line indented two levels too deep
  badini   a valid catalogue, but the links answer 404
  missing  404 for both files
  error    500 for both files
  cut      announces 5000 bytes of catalogue, sends 100 and closes the connection
Writes the port it listens on to the file named by its one argument.
"""
import http.server
import os
import sys

CATALOGUE = b"Updated tools\r\n\tNew editor\r\nUpdated games\r\n\tChess\r\n"
LINKS = b"[Linkit]\r\nnew editor=https://example.org/editor\r\nChess=\"https://example.org/chess\"\r\n"
BAD_CATALOGUE = b"Broken\r\n\t\tToo deep\r\n"


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        parts = self.path.strip("/").split("/")
        case, name = parts[0], parts[-1]
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

    def answer(self, status, body):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
with open(sys.argv[1] + ".new", "w") as port_file:
    port_file.write(str(server.server_address[1]))
os.replace(sys.argv[1] + ".new", sys.argv[1])
server.serve_forever()
