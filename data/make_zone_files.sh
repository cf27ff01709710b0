#!/usr/bin/env bash
# Builds the zone lists JOBSET reads, TABLE.DAT and ZONE.DAT, from the table
# of state plane coordinate zones (one tab-separated row per zone: number,
# state, zone name, projection TM/LCC/OM, FIPS code 1927, FIPS code 1983,
# parameters, source; a header row first).
#
#   data/make_zone_files.sh ZONES.TSV [OUTPUT-FOLDER]
#
# ZONE.DAT: line k describes zone k, within 72 characters:
#   columns  1-4   the zone number (first item of the line)
#   columns  5-40  state and zone
#   columns 41-55  FIPS codes NAD 1927/NAD 1983 (NONE: no NAD 1983 zone)
#   columns 56-72  projection
# TABLE.DAT: 60 lines in three pages (lines 1-20 transverse Mercator zones
# 1-49, lines 21-47 Lambert zones 50-121, lines 48-60 the Alaska zones
# 122-130), every line starting with a blank for line control, listing the
# numbers to type in columns. Both files end their lines with CRLF.
set -euo pipefail
zones=${1:?usage: make_zone_files.sh ZONES.TSV [OUTPUT-FOLDER]}
out=${2:-$(dirname "$0")}

LC_ALL=C awk -F'\t' -v zonefile="$out/ZONE.DAT" -v tablefile="$out/TABLE.DAT" '
function fail(msg) { print "make_zone_files: " msg > "/dev/stderr"; failed = 1; exit 1 }
function line(file, text) {
  sub(/ +$/, "", text)
  if (text == "") text = " "
  if (length(text) > 72) fail("line longer than 72 characters: " text)
  printf "%s\r\n", text > file
}
# One page of TABLE.DAT: a title, a blank line, the zones from..to in
# `columns` columns read downwards, blank lines up to `size` lines.
function page(title, from, to, columns, width, size,    n, rows, r, c, k, text, written) {
  line(tablefile, " " title)
  line(tablefile, " ")
  written = 2
  n = to - from + 1
  rows = int((n + columns - 1) / columns)
  for (r = 0; r < rows; r++) {
    text = " "
    for (c = 0; c < columns; c++) {
      k = from + c * rows + r
      if (k > to) break
      text = text sprintf("%-" width "s", entry[k])
    }
    line(tablefile, text)
    written++
  }
  if (written > size) fail("page \"" title "\" needs more than " size " lines")
  for (; written < size; written++) line(tablefile, " ")
}
BEGIN {
  split("Alabama AL Alaska AK Arizona AZ Arkansas AR California CA Colorado CO Connecticut CT " \
        "Delaware DE Florida FL Georgia GA Hawaii HI Idaho ID Illinois IL Indiana IN Iowa IA " \
        "Kansas KS Kentucky KY Louisiana LA Maine ME Maryland MD Massachusetts MA Michigan MI " \
        "Minnesota MN Mississippi MS Missouri MO Montana MT Nebraska NE Nevada NV " \
        "New_Hampshire NH New_Jersey NJ New_Mexico NM New_York NY North_Carolina NC " \
        "North_Dakota ND Ohio OH Oklahoma OK Oregon OR Pennsylvania PA Rhode_Island RI " \
        "South_Carolina SC South_Dakota SD Tennessee TN Texas TX Utah UT Vermont VT " \
        "Virginia VA Washington WA West_Virginia WV Wisconsin WI Wyoming WY", w, " ")
  for (i = 1; i in w; i += 2) { s = w[i]; gsub(/_/, " ", s); postal[s] = w[i + 1] }
  projection["TM"] = "TRANSV. MERCATOR"
  projection["LCC"] = "LAMBERT CONFORMAL"
  projection["OM"] = "OBLIQUE MERCATOR"
}
NR == 1 { next }
{
  k = $1 + 0
  if (k != NR - 1) fail("row " NR " holds zone " $1 ", expected " NR - 1)
  if (!($2 in postal)) fail("unknown state " $2)
  if (!($4 in projection)) fail("unknown projection " $4)
  name = toupper($3)
  fips83 = $6 == "" ? "NONE" : $6
  describe = toupper($2) " " name
  line(zonefile, sprintf("%-4d%-36sFIPS %s/%s %s", k, describe, $5, fips83, projection[$4]))
  short = name
  sub(/ \(OLD TM\)$/, " OLD TM", short)
  if (k >= 122) entry[k] = sprintf("%5d %s %-16s%s", k, postal[$2], short, projection[$4])
  else entry[k] = sprintf("%5d %s %-15s", k, postal[$2], short)
  count = k
}
END {
  if (failed) exit 1
  if (count != 130) fail("expected 130 zones, found " count)
  page("STATE PLANE ZONES - TRANSVERSE MERCATOR PROJECTION", 1, 49, 3, 23, 20)
  page("STATE PLANE ZONES - LAMBERT CONFORMAL CONIC PROJECTION", 50, 121, 3, 23, 27)
  page("STATE PLANE ZONES OF ALASKA - MERCATOR PROJECTIONS", 122, 130, 1, 46, 13)
}
' "$zones"
