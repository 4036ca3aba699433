#!/usr/bin/env bash
# A real printer for the tests that print: CUPS with a PDF queue named "PDF"
# as the default printer, whose jobs arrive as PDF files in ~/PDF. Starts
# cupsd when it is not running and adds the queue when it is missing. Does
# nothing (and fails quietly) where CUPS cannot be had; the tests that print
# then skip themselves.
#   printer.sh            make sure the queue is there
set -uo pipefail
command -v lpadmin >/dev/null 2>&1 || exit 1
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  /usr/sbin/cupsd </dev/null >/dev/null 2>&1 || true
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
  lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd </dev/null >/dev/null 2>&1 || exit 1
fi
lpoptions -d PDF </dev/null >/dev/null 2>&1 || true
lpstat -p PDF >/dev/null 2>&1
