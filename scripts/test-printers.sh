# Sourced by run-tests.sh (or by hand: `source scripts/test-printers.sh`) before ctest.
#
# Makes PDF print queues available to the printing tests on a private CUPS
# scheduler (own configuration, spool and state under $MARN_CUPS_HOME,
# listening on 127.0.0.1:$MARN_CUPS_PORT only), so the system's own scheduler
# and printers, if any, stay untouched. A private scheduler that is already
# running is reused and stays running afterwards. Each queue writes through the
# cups-pdf backend into its own directory under $MARN_TEST_PDF_DIR. Running it
# again changes nothing that is already in place.
#
# Exports for the tests:
#   MARN_TEST_PRINTER_1, MARN_TEST_PRINTER_2  queue names
#   MARN_TEST_PDF_DIR                         printed PDFs land in $MARN_TEST_PDF_DIR/<queue>/
#   CUPS_SERVER                               the private scheduler, for the toolkit's printer list
#   MARN_TEST_PRINTERS_UNAVAILABLE            instead of the above: why there are no test printers

marn_test_printers_setup() {
  local home=${MARN_CUPS_HOME:-${TMPDIR:-/tmp}/marn-test-cups}
  local port=${MARN_CUPS_PORT:-6631}
  local queues=(MarnPdf1 MarnPdf2)
  local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

  unset MARN_TEST_PRINTERS_UNAVAILABLE
  local tool
  for tool in cupsd lpadmin lpstat cupsenable cupsaccept pdfinfo pdftoppm; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      export MARN_TEST_PRINTERS_UNAVAILABLE="$tool is not installed (packages cups, poppler-utils)"
      return 0
    fi
  done
  if [ ! -x /usr/lib/cups/backend/cups-pdf ] || [ ! -r "$ppd" ]; then
    export MARN_TEST_PRINTERS_UNAVAILABLE="the cups-pdf backend is not installed (package printer-driver-cups-pdf)"
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    export MARN_TEST_PRINTERS_UNAVAILABLE="setting up PDF queues needs root (cups-pdf reads its queue settings from /etc/cups)"
    return 0
  fi

  export CUPS_SERVER="127.0.0.1:$port"
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    marn_test_printers_start_cupsd "$home" "$port" || {
      export MARN_TEST_PRINTERS_UNAVAILABLE="the private CUPS scheduler did not start, see $home/log/error_log"
      return 0
    }
  fi

  export MARN_TEST_PDF_DIR="$home/pdf"
  local queue
  for queue in "${queues[@]}"; do
    mkdir -p "$MARN_TEST_PDF_DIR/$queue"
    chmod 0777 "$MARN_TEST_PDF_DIR" "$MARN_TEST_PDF_DIR/$queue"
    printf 'Out %s\nAnonDirName %s\nLabel 1\nGrp root\n' \
      "$MARN_TEST_PDF_DIR/$queue" "$MARN_TEST_PDF_DIR/$queue" >"/etc/cups/cups-pdf-$queue.conf"
    if ! lpstat -p "$queue" >/dev/null 2>&1; then
      lpadmin -p "$queue" -v "cups-pdf:/$queue" -P "$ppd" -o printer-error-policy=abort-job >/dev/null 2>&1 || {
        export MARN_TEST_PRINTERS_UNAVAILABLE="lpadmin could not add the queue $queue"
        return 0
      }
    fi
    cupsenable "$queue" && cupsaccept "$queue" || {
      export MARN_TEST_PRINTERS_UNAVAILABLE="the queue $queue could not be enabled"
      return 0
    }
  done
  export MARN_TEST_PRINTER_1=${queues[0]} MARN_TEST_PRINTER_2=${queues[1]}
}

marn_test_printers_start_cupsd() {
  local home=$1 port=$2
  mkdir -p "$home/etc" "$home/spool/tmp" "$home/cache" "$home/state" "$home/log"
  chmod 0755 "$home" "$home/etc" "$home/cache" "$home/state" "$home/log"
  cat >"$home/etc/cupsd.conf" <<EOF
LogLevel warn
Listen 127.0.0.1:$port
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$home/etc/cups-files.conf" <<EOF
ServerRoot $home/etc
RequestRoot $home/spool
TempDir $home/spool/tmp
CacheDir $home/cache
StateDir $home/state
ErrorLog $home/log/error_log
AccessLog $home/log/access_log
PageLog $home/log/page_log
SystemGroup root
User lp
Group lp
EOF
  chmod 0644 "$home/etc/cupsd.conf" "$home/etc/cups-files.conf"
  cupsd -c "$home/etc/cupsd.conf" -s "$home/etc/cups-files.conf" </dev/null >/dev/null 2>&1 || return 1
  local tries
  for tries in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && return 0
    sleep 0.2
  done
  return 1
}

marn_test_printers_setup
if [ -n "${MARN_TEST_PRINTERS_UNAVAILABLE:-}" ]; then
  echo "test printers: none ($MARN_TEST_PRINTERS_UNAVAILABLE); the printing tests that need them are skipped" >&2
else
  echo "test printers: $MARN_TEST_PRINTER_1, $MARN_TEST_PRINTER_2 on $CUPS_SERVER, PDFs in $MARN_TEST_PDF_DIR" >&2
fi
unset -f marn_test_printers_setup marn_test_printers_start_cupsd
