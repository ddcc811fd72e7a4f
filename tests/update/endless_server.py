# Serves one endless answer per connection, in the mode given as the first argument (chunked,
# unsized or drip), and prints its port once listening.
import socket, sys, threading, time
mode = sys.argv[1]
chunk = b'<' * 65536
def serve(connection):
    try:
        connection.recv(65536)
        if mode == 'chunked':
            connection.sendall(b'HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n')
            piece = b'%x\r\n' % len(chunk) + chunk + b'\r\n'
            while True:
                connection.sendall(piece)
        elif mode == 'unsized':
            connection.sendall(b'HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n')
            while True:
                connection.sendall(chunk)
        else:
            connection.sendall(b'HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n')
            while True:
                connection.sendall(b'1\r\n \r\n')
                time.sleep(0.05)
    except OSError:
        pass
listener = socket.socket()
listener.bind(('127.0.0.1', 0))
listener.listen()
print(listener.getsockname()[1], flush=True)
while True:
    connection, _ = listener.accept()
    threading.Thread(target=serve, args=(connection,), daemon=True).start()
