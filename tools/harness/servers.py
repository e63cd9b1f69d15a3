"""Loopback servers for the page downloader's tests and benchmarks.

- Nginx: Debian's nginx on a free loopback port, with a configuration, pid
  file, logs and temp paths inside a folder of ours.
- ScriptedServer: answers by the first path segment, misbehaving on purpose,
  and records every accepted connection and the exact bytes of every request.
- TlsServer: a TLS listener with a self-signed certificate made by openssl.
- TrustedTlsServer: a TLS server whose certificate a test certificate
  authority signed; it records requests as ScriptedServer does and answers
  with a body.
- RefusedPort: a bound socket that never listens, so connects are refused.

Everything is stopped by whoever started it, through the objects held here.
"""

import ctypes
import os
import signal
import socket
import socketserver
import ssl
import subprocess
import threading
import time


def pattern(size):
    """Deterministic body bytes, zero bytes included; the tests know the rule."""
    return bytes(((i * 31 + i // 97) & 0xFF) for i in range(size))


def wait_for_port(port, process=None, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if process is not None and process.poll() is not None:
            return False
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                return True
        except OSError:
            time.sleep(0.05)
    return False


def _die_with_parent():
    # PR_SET_PDEATHSIG: should whoever started nginx be killed, nginx goes too.
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Nginx:
    """nginx serving root on a free loopback port; extra is added to the server block."""

    def __init__(self, workdir, root, extra=""):
        self.workdir = workdir
        self.root = root
        self.extra = extra
        self.process = None
        self.port = None

    def _write_config(self):
        d = self.workdir
        for sub in ("body", "proxy", "fastcgi", "uwsgi", "scgi"):
            os.makedirs(os.path.join(d, "tmp", sub), exist_ok=True)
        # Workers run as www-data unless we are root; either way they must read the root.
        user = "user root;" if os.geteuid() == 0 else ""
        config = f"""
daemon off;
master_process on;
worker_processes 1;
{user}
pid {d}/nginx.pid;
error_log {d}/error.log;
events {{ worker_connections 512; }}
http {{
  log_format by_connection '$connection $request $status $body_bytes_sent';
  access_log {d}/access.log by_connection;
  client_body_temp_path {d}/tmp/body;
  proxy_temp_path {d}/tmp/proxy;
  fastcgi_temp_path {d}/tmp/fastcgi;
  uwsgi_temp_path {d}/tmp/uwsgi;
  scgi_temp_path {d}/tmp/scgi;
  types {{ text/html html; application/octet-stream bin; }}
  default_type application/octet-stream;
  sendfile on;
  server {{
    listen 127.0.0.1:{self.port};
    server_name localhost;
    root {self.root};
    {self.extra}
  }}
}}
"""
        path = os.path.join(d, "nginx.conf")
        with open(path, "w") as f:
            f.write(config)
        return path

    def start(self):
        os.chmod(self.root, 0o755)
        for attempt in range(5):
            self.port = free_port()
            config = self._write_config()
            self.process = subprocess.Popen(
                ["nginx", "-p", self.workdir, "-e", os.path.join(self.workdir, "error.log"), "-c", config],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, preexec_fn=_die_with_parent)
            if wait_for_port(self.port, self.process):
                return self
            self.stop()
        raise RuntimeError("nginx did not start; see " + os.path.join(self.workdir, "error.log"))

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()  # the master stops its workers
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process = None

    def base(self):
        return f"http://127.0.0.1:{self.port}"


class _Recorder:
    """Appends records to a file: b'C <len>\\n' (a connection) or b'R <len>\\n<raw>\\n'."""

    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        open(path, "wb").close()

    def record(self, kind, raw=b""):
        with self.lock, open(self.path, "ab") as f:
            f.write(b"%s %d\n" % (kind, len(raw)) + raw + b"\n")
            f.flush()


def read_records(path, start=0):
    """What a _Recorder wrote from byte offset start on, in order: (b"C", b"")
    for each accepted connection, (b"R", raw bytes) for each request."""
    with open(path, "rb") as f:
        f.seek(start)
        data = f.read()
    records = []
    while data:
        head, data = data.split(b"\n", 1)
        kind, size = head.split(b" ")
        records.append((kind, data[:int(size)]))
        data = data[int(size) + 1:]
    return records


class ScriptedServer(socketserver.ThreadingTCPServer):
    """Answers by the first path segment; see _Handler.answer for the scripts."""

    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, log_path, static_root):
        super().__init__(("127.0.0.1", 0), _Handler)
        self.recorder = _Recorder(log_path)
        self.static_root = static_root
        # Request targets answered as if another target had been asked for, so
        # that a client of fixed paths (list pages) meets any script here.
        self.routes = {}
        self.port = self.server_address[1]
        self.thread = threading.Thread(target=self.serve_forever, daemon=True)

    def start(self):
        self.thread.start()
        return self

    def stop(self):
        self.shutdown()
        self.server_close()
        self.thread.join()

    def base(self):
        return f"http://127.0.0.1:{self.port}"


ODD_PAGES = {
    # Binary bytes with a zero byte between two entries: only the first counts.
    1: (bytes(range(1, 256)) * 4 + b'<a href="/html/gndy/dyzz/20260101/101.html" class="ulink">BinaryFirst</a>'
        + b"\x00" + b'<a href="/html/gndy/dyzz/20260101/102.html" class="ulink">AfterZero</a>' + bytes(range(256)) * 4),
    # A long run with no zero byte at all, the entry at its very end.
    2: bytes((i % 255) + 1 for i in range(200000)) + b'<a href="/html/gndy/dyzz/20260102/103.html" class="ulink">NoZero</a>',
    # Nothing but zero bytes.
    3: b"\x00" * 65536,
}

CUSTOM_404 = b"<html><head><title>Not here</title></head><body><h1>404</h1><p>gone</p></body></html>\n"
CHUNKS = [pattern(7000), pattern(1), pattern(20000)[5:], pattern(3000)]
TRUNCATED_DECLARED = 100000
TRUNCATED_SENT = 30000
ENDLESS_BLOCK = pattern(1 << 20)
PROXY_BODY = b"answered by the proxy"
TRUSTED_TLS_SIZE = 30000


class _Handler(socketserver.BaseRequestHandler):
    def setup(self):
        self.server.recorder.record(b"C")

    def handle(self):
        raw = b""
        self.request.settimeout(30)
        while b"\r\n\r\n" not in raw:
            data = self.request.recv(65536)
            if not data or raw + data == b"\x16" or (raw + data).startswith(b"\x16\x03"):
                return  # closed, or a TLS client hello: nothing this server answers
            raw += data
        self.server.recorder.record(b"R", raw)
        target = raw.split(b"\r\n", 1)[0].split(b" ")[1].decode("latin-1")
        self.answer(self.server.routes.get(target, target))

    def send(self, data):
        self.request.sendall(data)

    def respond(self, status, body, headers=()):
        head = [b"HTTP/1.1 " + status, b"Content-Length: %d" % len(body), b"Connection: close"]
        head += list(headers)
        self.send(b"\r\n".join(head) + b"\r\n\r\n" + body)

    def answer(self, target):
        path = target.split("?", 1)[0]
        first = path.split("/")[1] if path.count("/") >= 1 else ""
        if target.startswith("http://"):
            # An absolute target is a request sent to us as a proxy.
            self.respond(b"200 OK", PROXY_BODY)
        elif first == "echo":
            self.respond(b"200 OK", b"echo")
        elif first == "redirect":
            # /redirect/<target> sends the client on to /<target>.
            self.respond(b"302 Found", b"", [b"Location: " + target[len("/redirect"):].encode("latin-1")])
        elif first == "error404":
            self.respond(b"404 Not Found", CUSTOM_404, [b"Content-Type: text/html"])
        elif first == "empty":
            self.respond(b"200 OK", b"")
        elif first == "chunked":
            out = b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
            for chunk in CHUNKS:
                out += b"%x\r\n" % len(chunk) + chunk + b"\r\n"
            self.send(out + b"0\r\n\r\n")
        elif first == "nolength":
            size = int(target.split("size=", 1)[1]) if "size=" in target else 50000
            self.send(b"HTTP/1.0 200 OK\r\nConnection: close\r\n\r\n" + pattern(size))
        elif first == "truncated":
            self.send(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n" % TRUNCATED_DECLARED
                      + pattern(TRUNCATED_SENT))
            self.request.shutdown(socket.SHUT_WR)
        elif first == "overstated":
            # Declares 50 MB, sends 1000 bytes and closes.
            self.send(b"HTTP/1.1 200 OK\r\nContent-Length: 52428800\r\nConnection: close\r\n\r\n" + pattern(1000))
            self.request.shutdown(socket.SHUT_WR)
        elif first == "truncated-chunked":
            out = b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
            for chunk in CHUNKS[:2]:
                out += b"%x\r\n" % len(chunk) + chunk + b"\r\n"
            out += b"%x\r\n" % 5000 + pattern(100)  # a chunk that never ends
            self.send(out)
            self.request.shutdown(socket.SHUT_WR)
        elif first == "endless":
            # No length and no end: ENDLESS_BLOCK over and over until the
            # client hangs up.
            self.send(b"HTTP/1.0 200 OK\r\nConnection: close\r\n\r\n")
            try:
                while True:
                    self.send(ENDLESS_BLOCK)
            except OSError:
                pass
        elif first == "odd":
            page = int(path.rsplit("_", 1)[1].split(".")[0]) if "_" in path else 0
            self.respond(b"200 OK", ODD_PAGES.get(page, b""))
        elif first == "static":
            # Files under the static root; anything missing is a 404 with no body.
            body = self.static_file(path[len("/static/"):])
            if body is not None:
                self.respond(b"200 OK", body)
            else:
                self.respond(b"404 Not Found", b"")
        elif first == "chunked-static":
            # A static file in chunks of 1000 bytes.
            body = self.static_file(path[len("/chunked-static/"):]) or b""
            out = b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
            for start in range(0, len(body), 1000):
                chunk = body[start:start + 1000]
                out += b"%x\r\n" % len(chunk) + chunk + b"\r\n"
            self.send(out + b"0\r\n\r\n")
        elif first == "cut-static":
            # The first half of a static file under its whole length, then the end.
            body = self.static_file(path[len("/cut-static/"):]) or b""
            self.send(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n" % len(body)
                      + body[:len(body) // 2])
            self.request.shutdown(socket.SHUT_WR)
        else:
            self.respond(b"500 Internal Server Error", b"no such script")

    def static_file(self, relative):
        """The bytes of a file under the static root; None when there is none."""
        full = os.path.join(self.server.static_root, relative)
        if relative and ".." not in relative and os.path.isfile(full):
            with open(full, "rb") as f:
                return f.read()
        return None


class _TlsListener:
    """Accepts TLS clients on a free loopback port, one thread each, with the
    certificate and key given; subclasses answer them in _client."""

    def __init__(self, cert, key):
        self.context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        self.context.load_cert_chain(cert, key)
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(16)
        self.listener.settimeout(0.2)  # so that stop() is seen; accept() ignores close()
        self.port = self.listener.getsockname()[1]
        self.running = True
        self.thread = threading.Thread(target=self._serve, daemon=True)

    def start(self):
        self.thread.start()
        return self

    def _serve(self):
        while self.running:
            try:
                conn, _ = self.listener.accept()
            except socket.timeout:
                continue
            except OSError:
                return
            threading.Thread(target=self._client, args=(conn,), daemon=True).start()

    def stop(self):
        self.running = False
        self.thread.join()
        self.listener.close()


class TlsServer(_TlsListener):
    """A TLS listener with a self-signed certificate; logs what clients did."""

    def __init__(self, workdir, log_path):
        self.cert = os.path.join(workdir, "cert.pem")
        self.key = os.path.join(workdir, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                        "-keyout", self.key, "-out", self.cert],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.log_path = log_path
        open(log_path, "w").close()
        super().__init__(self.cert, self.key)

    def log(self, line):
        with open(self.log_path, "a") as f:
            f.write(line + "\n")

    def _client(self, conn):
        with conn:
            conn.settimeout(20)
            try:
                first = conn.recv(1, socket.MSG_PEEK)
                self.log("client-hello" if first == b"\x16" else "not-tls")
                with self.context.wrap_socket(conn, server_side=True) as tls:
                    raw = b""
                    while b"\r\n\r\n" not in raw:
                        data = tls.recv(4096)
                        if not data:
                            self.log("closed-without-request")
                            return
                        raw += data
                    self.log("request " + raw.split(b"\r\n", 1)[0].decode("latin-1"))
                    tls.sendall(b"HTTP/1.0 200 OK\r\nContent-Length: 6\r\n\r\nsecret")
            except (OSError, ssl.SSLError) as error:
                self.log("failed " + type(error).__name__)


class TrustedTlsServer(_TlsListener):
    """TLS with a certificate for localhost signed by a test certificate
    authority (authority_pem); records every connection and request like
    ScriptedServer and answers each request with pattern(TRUSTED_TLS_SIZE)."""

    def __init__(self, workdir, log_path):
        d = os.path.join(workdir, "trusted-tls")
        os.makedirs(d)
        self.authority_pem = os.path.join(d, "authority.pem")
        key, cert = os.path.join(d, "server.key"), os.path.join(d, "server.pem")
        run = lambda *args: subprocess.run(["openssl", *args], check=True,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        run("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
            "-subj", "/CN=Film listings test authority",
            "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign",
            "-keyout", os.path.join(d, "authority.key"), "-out", self.authority_pem)
        run("req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost",
            "-keyout", key, "-out", os.path.join(d, "server.csr"))
        with open(os.path.join(d, "server.ext"), "w") as f:
            f.write("basicConstraints=CA:FALSE\nkeyUsage=digitalSignature,keyEncipherment\n"
                    "extendedKeyUsage=serverAuth\nsubjectAltName=IP:127.0.0.1,DNS:localhost\n")
        run("x509", "-req", "-in", os.path.join(d, "server.csr"), "-CA", self.authority_pem,
            "-CAkey", os.path.join(d, "authority.key"), "-CAcreateserial", "-days", "2",
            "-extfile", os.path.join(d, "server.ext"), "-out", cert)
        self.recorder = _Recorder(log_path)
        super().__init__(cert, key)

    def _client(self, conn):
        self.recorder.record(b"C")
        with conn:
            conn.settimeout(20)
            try:
                with self.context.wrap_socket(conn, server_side=True) as tls:
                    raw = b""
                    while b"\r\n\r\n" not in raw:
                        data = tls.recv(4096)
                        if not data:
                            return
                        raw += data
                    self.recorder.record(b"R", raw)
                    body = pattern(TRUSTED_TLS_SIZE)
                    tls.sendall(b"HTTP/1.0 200 OK\r\nContent-Length: %d\r\n\r\n" % len(body) + body)
            except (OSError, ssl.SSLError):
                pass


class RefusedPort:
    """Bound and never listening: the kernel refuses every connect to it."""

    def __init__(self):
        self.socket = socket.socket()
        self.socket.bind(("127.0.0.1", 0))
        self.port = self.socket.getsockname()[1]

    def stop(self):
        self.socket.close()
