#!/usr/bin/env bash
# Starts or stops the loopback web server of the HTTP fetch tests:
#   http-test-server.sh start|stop DIR
# The tests run under Wine and cannot start host programs, so CTest runs this
# script as a fixture around them. nginx gets its own prefix, pid, logs and
# temp folders in DIR and listens on 127.0.0.1 only:
#   DIR/port        the log server: DIR/www, byte ranges, basic auth on
#                   /private/ (user "reader", password "letmein")
#   DIR/proxyport   a forward proxy to the log server that wants
#                   "Proxy-Authorization: Basic" of "proxy:secret"
#   DIR/access.log  "uri status range bytes-sent" per request
#   DIR/proxy.log   "request-line status" per request
set -euo pipefail
action=${1:?start or stop}
dir=${2:?fixture folder}
nginx=$(command -v nginx || echo /usr/sbin/nginx)

stop() {
    if [ -f "$dir/nginx.pid" ]; then
        kill "$(cat "$dir/nginx.pid")" 2>/dev/null || true
        for _ in $(seq 50); do [ -f "$dir/nginx.pid" ] || break; sleep 0.1; done
    fi
}

if [ "$action" = stop ]; then
    stop
    exit 0
fi

stop
rm -rf "$dir"
mkdir -p "$dir/www/private" "$dir/tmp"
# "letmein", hashed once (openssl passwd -apr1 -salt ostrevan letmein)
echo 'reader:$apr1$ostrevan$jGYIrQIIRflI45jsWZmkt0' > "$dir/htpasswd"
user_line=""
[ "$(id -u)" -ne 0 ] || user_line="user root;"
write_config() {
cat > "$dir/nginx.conf" <<CONF
$user_line
worker_processes 1;
pid $dir/nginx.pid;
error_log $dir/error.log;
events { worker_connections 64; }
http {
    log_format plain '\$request_uri \$status \$http_range \$body_bytes_sent';
    log_format proxied '\$request \$status';
    access_log $dir/access.log plain;
    client_body_temp_path $dir/tmp/body;
    proxy_temp_path $dir/tmp/proxy;
    fastcgi_temp_path $dir/tmp/fastcgi;
    uwsgi_temp_path $dir/tmp/uwsgi;
    scgi_temp_path $dir/tmp/scgi;
    types { text/html html; }
    default_type text/plain;
    server {
        listen 127.0.0.1:$port;
        root $dir/www;
        location = /moved.html { return 302 /page.html; }
        location /private/ {
            auth_basic "logs";
            auth_basic_user_file $dir/htpasswd;
        }
    }
    server {
        listen 127.0.0.1:$proxyport;
        access_log $dir/proxy.log proxied;
        location / {
            if (\$http_proxy_authorization != "Basic cHJveHk6c2VjcmV0") { return 407; }
            proxy_pass http://127.0.0.1:$port;
        }
    }
}
CONF
}

# Free ports are found by trying: nginx refuses to start on a taken one.
for _ in $(seq 20); do
    port=$((20000 + RANDOM % 40000))
    proxyport=$((port + 1))
    write_config
    if "$nginx" -p "$dir" -c "$dir/nginx.conf" -e "$dir/error.log" 2>/dev/null; then
        echo "$port" > "$dir/port"
        echo "$proxyport" > "$dir/proxyport"
        exit 0
    fi
done
echo "http-test-server: nginx did not start; see $dir/error.log" >&2
exit 1
