#!/bin/sh
# The columns a server types sql_variant must come from the stand-in's `sys`
# database as MariaDB reports it: the TDS front sends them as sql_variant only
# then, and for a view's column MariaDB reports its table's database.
set -eu
info=$(MYSQL_PWD=$TABLINOR_TEST_PWD mariadb --no-defaults -t --column-type-info \
  -u "$TABLINOR_TEST_UID" "$TABLINOR_TEST_DATABASE" -e \
  "SELECT ep.value, ic.seed_value, ic.increment_value, ic.last_value
   FROM sys.extended_properties AS ep, sys.identity_columns AS ic LIMIT 0")
databases=$(printf '%s\n' "$info" | sed -n 's/^Database: *//p' | tr '\n' ' ')
[ "$databases" = '`sys` `sys` `sys` `sys` ' ] || { echo "databases of the columns: $databases" >&2; exit 1; }
