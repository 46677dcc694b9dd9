#!/usr/bin/python3
"""A small game-server area for the news pane's link tests, on 127.0.0.1.

/vtrinternal is a page with two links, each a 280 x 60 picture frame (the
pictures themselves are missing) at a fixed place: one to an address outside
the area, one to /vtrinternal/jump, which redirects to the address given as
the first argument. Prints "listening on http://127.0.0.1:PORT" once it serves.

Usage: redirecting_site.py REDIRECT_TARGET OUTSIDE_LINK
"""
import http.server
import sys

TARGET, OUTSIDE = sys.argv[1], sys.argv[2]
PAGE = (
    '<html><body bgcolor="#2a0a22" style="margin: 0px">'
    '<p style="margin: 0px"><a href="%s"><img src="/vtrinternal/a.png" width="280" height="60"></a></p>'
    '<p style="margin: 0px"><a href="/vtrinternal/jump"><img src="/vtrinternal/b.png" width="280" '
    'height="60"></a></p></body></html>' % OUTSIDE
).encode()


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if self.path == "/vtrinternal":
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(PAGE)))
            self.end_headers()
            self.wfile.write(PAGE)
        elif self.path == "/vtrinternal/jump":
            self.send_response(302)
            self.send_header("Location", TARGET)
            self.send_header("Content-Length", "0")
            self.end_headers()
        else:
            self.send_error(404)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print("listening on http://127.0.0.1:%d" % server.server_port, flush=True)
server.serve_forever()
