#!/usr/bin/env bash
# Reproduces the table in bench/README.md.
#   bench/run.sh [SIZE ...]        default sizes: 1000 10000 100000 1000000
# Environment:
#   BEFORE=rev     the tree measured as "before" (default da2a609, the last
#                  commit before the search indexes and the UTF-8 LIKE)
#   ITERATIONS=n   interleaved runs per search (default 9)
#   SKIP_BEFORE=1  measure the current tree only
#   SKIP_GENERATOR=1  leave out the generator's time and memory
#   PAIRS=n        generator and SQLite copy runs, taken in turns (default 3)
# Everything lands under build/: the Release builds (build/bench-after,
# build/bench-before), the guides, made once and kept (build/bench-guides/N
# and N-before, the same entries laid out as the old builder did), and
# the results (build/bench-results).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
sizes=${*:-1000 10000 100000 1000000}
before_rev=${BEFORE:-da2a609}
iterations=${ITERATIONS:-9}
pairs=${PAIRS:-3}
guides=$root/build/bench-guides
results=$root/build/bench-results
mkdir -p "$guides" "$results"
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work} CCACHE_DIR=${CCACHE_DIR:-/work/.ccache}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

build_tree() { # source folder, build folder
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
  cmake --build "$2" -j2 --target vinaria_bench vinaria-guidegen >/dev/null
}

echo "== building (Release)"
build_tree "$root" "$root/build/bench-after"
if [[ -z ${SKIP_BEFORE:-} ]]; then
  # The old tree with today's benchmark source, so both sides run the same code.
  src=$root/build/bench-before/src
  rm -rf "$src" && mkdir -p "$src"
  git archive "$before_rev" | tar -x -C "$src"
  cp bench/SearchBench.cpp bench/BenchSupport.h bench/CMakeLists.txt "$src/bench/"
  build_tree "$src" "$root/build/bench-before/build"
fi

# The guide as the builder made it before: entries stored by id on 4 KB
# pages, and the keyword and country indexes on one column each.
old_layout() { # guide, new file
  local tables
  tables=$(sqlite3 "$1" "SELECT sql || ';' FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'" |
    sed 's/ID INTEGER NOT NULL,/ID INTEGER PRIMARY KEY,/')
  sqlite3 "$2" "PRAGMA page_size = 4096; PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;
    PRAGMA cache_size = -65536; $tables ATTACH '$1' AS g; BEGIN;
    INSERT INTO vinaria SELECT * FROM g.vinaria ORDER BY ID;
    INSERT INTO Land SELECT * FROM g.Land; INSERT INTO Region SELECT * FROM g.Region;
    INSERT INTO Rebsorten SELECT * FROM g.Rebsorten; INSERT INTO Lesezeichen SELECT * FROM g.Lesezeichen;
    INSERT INTO Ausgabe_Info SELECT * FROM g.Ausgabe_Info;
    CREATE INDEX vinaria_Land ON vinaria (Land); CREATE INDEX vinaria_Stichwort ON vinaria (STICHWORT);
    CREATE INDEX Land_Bezeichnung ON Land (Bezeichnung); CREATE INDEX Land_Land ON Land (Land);
    CREATE INDEX Region_Land ON Region (Land); COMMIT;" >/dev/null
}

for n in $sizes; do
  guide=$guides/$n/vinaria2007_db.cdb
  if [[ ! -f $guide ]]; then
    echo "== generating the $n guide"
    mkdir -p "$guides/$n"
    build/bench-after/tools/vinaria-guidegen --sources data/guide --entries "$n" --seed 7 --output "$guide"
  fi
  if [[ -z ${SKIP_BEFORE:-} && ! -f $guides/$n-before/vinaria2007_db.cdb ]]; then
    mkdir -p "$guides/$n-before"
    rm -f "$guides/$n-before/vinaria2007_db.cdb.neu"
    old_layout "$guide" "$guides/$n-before/vinaria2007_db.cdb.neu"
    mv "$guides/$n-before/vinaria2007_db.cdb.neu" "$guides/$n-before/vinaria2007_db.cdb"
  fi
  echo "== measuring the $n guide"
  build/bench-after/bench/vinaria_bench --guide="$guides/$n" --iterations="$iterations" \
    --benchmark_out="$results/after-$n.json" --benchmark_out_format=json >"$results/after-$n.txt"
  if [[ -z ${SKIP_BEFORE:-} ]]; then
    build/bench-before/build/bench/vinaria_bench --guide="$guides/$n-before" --iterations="$iterations" \
      --benchmark_out="$results/before-$n.json" --benchmark_out_format=json >"$results/before-$n.txt"
  fi
done

if [[ -z ${SKIP_GENERATOR:-} ]]; then
  n=$(echo "$sizes" | tr ' ' '\n' | sort -n | tail -1)
  echo "== the generator against SQLite copying the same rows ($n entries), $pairs pairs"
  src=$guides/$n/vinaria2007_db.cdb
  out=$results/generated-$n.cdb
  copy=$results/copied-$n.cdb
  table=$(sqlite3 "$src" "SELECT sql || ';' FROM sqlite_master WHERE name = 'vinaria'")
  indexes=$(sqlite3 "$src" "SELECT sql || ';' FROM sqlite_master WHERE type = 'index' AND tbl_name = 'vinaria' AND sql IS NOT NULL")
  page_size=$(sqlite3 "$src" "PRAGMA page_size")
  # Taken in turns, so that a change in the machine's load hits both alike.
  for pair in $(seq "$pairs"); do
    rm -f "$out" "$copy"
    /usr/bin/time -f "%e %M" -o "$results/generator-$n.$pair" build/bench-after/tools/vinaria-guidegen \
      --sources data/guide --entries "$n" --seed 7 --output "$out" >/dev/null
    # SQLite's copy moves the stored records as they are (its transfer
    # optimisation); with ORDER BY rowid every row goes through its statement
    # engine, as the generator's rows do.
    for how in copy insert; do
      order=""
      [[ $how == insert ]] && order="ORDER BY rowid"
      rm -f "$copy"
      /usr/bin/time -f "%e %M" -o "$results/$how-$n.$pair" sqlite3 "$copy" "PRAGMA page_size = $page_size;
        PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA locking_mode = EXCLUSIVE;
        PRAGMA cache_size = -65536; ATTACH '$src' AS src; BEGIN; $table
        INSERT INTO main.vinaria SELECT * FROM src.vinaria $order; $indexes COMMIT;" >/dev/null
    done
    read -r gs gk <"$results/generator-$n.$pair"
    read -r cs ck <"$results/copy-$n.$pair"
    read -r is ik <"$results/insert-$n.$pair"
    echo "pair $pair: generator ${gs} s, ${gk} kB peak; sqlite copy ${cs} s, ${ck} kB; sqlite insert ${is} s, ${ik} kB;" \
      "ratios $(awk "BEGIN {printf \"%.2f %.2f\", $gs / $cs, $gs / $is}")"
  done | tee "$results/generator-$n.txt"
  rm -f "$out" "$copy"
  for column in 2 1; do
    awk -v c=$column '{print $(NF - c + 1)}' "$results/generator-$n.txt" | sort -n |
      awk -v what="$([[ $column == 2 ]] && echo copy || echo insert)" '{r[NR] = $1} END {print "median ratio to the sqlite " what ": " r[int((NR + 1) / 2)]}'
  done
  ls -l "$src" | awk '{print "file size: " $5 " bytes"}'
fi

echo "== table"
python3 bench/table.py "$results" $sizes
