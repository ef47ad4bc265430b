"""Reads what the program's page shows, through the engine's remote debugging
port: the Chrome DevTools protocol over a WebSocket, Runtime.evaluate only.

Standard library only: a WebSocket client just big enough for text frames.
"""

import base64
import hashlib
import http.client
import json
import os
import socket
import struct
import urllib.parse

_WEBSOCKET_GUID = "258EAFA5-E914-47DA-95CA-C5AB0DC85B11"
_OPCODE_CONTINUATION, _OPCODE_TEXT = 0x0, 0x1
_OPCODE_CLOSE, _OPCODE_PING, _OPCODE_PONG = 0x8, 0x9, 0xA


class InspectorError(Exception):
    """The page could not be read (not there yet, navigating, blocked)."""


class WebSocket:
    """A client WebSocket that sends and receives whole text messages."""

    def __init__(self, url, timeout):
        address = urllib.parse.urlsplit(url)
        self._socket = socket.create_connection((address.hostname, address.port), timeout=timeout)
        self._buffer = b""
        self._handshake(address)

    def close(self):
        self._socket.close()

    def send_text(self, text):
        payload = text.encode("utf-8")
        header = bytes([0x80 | _OPCODE_TEXT])
        if len(payload) < 126:
            header += bytes([0x80 | len(payload)])
        elif len(payload) < 1 << 16:
            header += bytes([0x80 | 126]) + struct.pack("!H", len(payload))
        else:
            header += bytes([0x80 | 127]) + struct.pack("!Q", len(payload))
        mask = os.urandom(4)
        masked = bytes(byte ^ mask[i % 4] for i, byte in enumerate(payload))
        self._socket.sendall(header + mask + masked)

    def receive_text(self):
        message = b""
        while True:
            final, opcode, payload = self._receive_frame()
            if opcode == _OPCODE_PING:
                self._send_control(_OPCODE_PONG, payload)
            elif opcode == _OPCODE_CLOSE:
                raise InspectorError("the page's debugging connection was closed")
            elif opcode in (_OPCODE_TEXT, _OPCODE_CONTINUATION):
                message += payload
                if final:
                    return message.decode("utf-8")

    def _handshake(self, address):
        key = base64.b64encode(os.urandom(16)).decode("ascii")
        request = (f"GET {address.path} HTTP/1.1\r\n"
                   f"Host: {address.netloc}\r\n"
                   "Upgrade: websocket\r\n"
                   "Connection: Upgrade\r\n"
                   f"Sec-WebSocket-Key: {key}\r\n"
                   "Sec-WebSocket-Version: 13\r\n\r\n")
        self._socket.sendall(request.encode("ascii"))
        while b"\r\n\r\n" not in self._buffer:
            self._fill()
        head, self._buffer = self._buffer.split(b"\r\n\r\n", 1)
        status, *header_lines = head.decode("latin-1").split("\r\n")
        headers = {name.strip().lower(): value.strip()
                   for name, _, value in (line.partition(":") for line in header_lines)}
        expected = base64.b64encode(
            hashlib.sha1((key + _WEBSOCKET_GUID).encode("ascii")).digest()).decode("ascii")
        if status.split()[1:2] != ["101"] or headers.get("sec-websocket-accept") != expected:
            raise InspectorError(f"WebSocket handshake refused: {status}")

    def _send_control(self, opcode, payload):
        mask = os.urandom(4)
        masked = bytes(byte ^ mask[i % 4] for i, byte in enumerate(payload))
        self._socket.sendall(bytes([0x80 | opcode, 0x80 | len(payload)]) + mask + masked)

    def _receive_frame(self):
        first, second = self._read(2)
        length = second & 0x7F
        if length == 126:
            (length,) = struct.unpack("!H", self._read(2))
        elif length == 127:
            (length,) = struct.unpack("!Q", self._read(8))
        mask = self._read(4) if second & 0x80 else None
        payload = self._read(length)
        if mask:
            payload = bytes(byte ^ mask[i % 4] for i, byte in enumerate(payload))
        return bool(first & 0x80), first & 0x0F, payload

    def _read(self, count):
        while len(self._buffer) < count:
            self._fill()
        data, self._buffer = self._buffer[:count], self._buffer[count:]
        return data

    def _fill(self):
        chunk = self._socket.recv(65536)
        if not chunk:
            raise InspectorError("the page's debugging connection ended")
        self._buffer += chunk


class PageInspector:
    """Evaluates expressions in the page the program shows, for reading."""

    def __init__(self, port, timeout=10):
        self._port = port
        self._timeout = timeout
        self._socket = None
        self._next_id = 0

    def close(self):
        if self._socket:
            self._socket.close()
            self._socket = None

    def evaluate(self, expression):
        """The value of `expression` in the page, or InspectorError."""
        try:
            return self._evaluate(expression)
        except (OSError, ValueError, InspectorError) as error:
            # Whatever the state of the connection, start afresh next time.
            self.close()
            raise InspectorError(str(error)) from error

    def _evaluate(self, expression):
        if not self._socket:
            self._socket = WebSocket(self._page_address(), self._timeout)
        self._next_id += 1
        self._socket.send_text(json.dumps({
            "id": self._next_id,
            "method": "Runtime.evaluate",
            "params": {"expression": expression, "returnByValue": True},
        }))
        while True:
            reply = json.loads(self._socket.receive_text())
            if reply.get("id") == self._next_id:
                break
        if "error" in reply:
            raise InspectorError(reply["error"].get("message", "evaluation failed"))
        result = reply["result"]
        if "exceptionDetails" in result:
            raise InspectorError(result["exceptionDetails"].get("text", "exception in the page"))
        return result["result"].get("value")

    def _page_address(self):
        connection = http.client.HTTPConnection("127.0.0.1", self._port, timeout=self._timeout)
        try:
            connection.request("GET", "/json/list")
            targets = json.loads(connection.getresponse().read())
        finally:
            connection.close()
        for target in targets:
            if target.get("type") == "page" and "webSocketDebuggerUrl" in target:
                return target["webSocketDebuggerUrl"]
        raise InspectorError("the program shows no page yet")
