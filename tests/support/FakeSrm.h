#pragma once

// A stand-in for "srm --batch" for tests of the engine and its front ends: it reads the records
// (option word, anchor, relative path, each ended by NUL), appends "WORD PATH" per record to
// srm.log beside itself, and answers one result line each. A file is removed, a folder removed
// when empty ("failed notempty" otherwise), unless the path's name asks otherwise:
//   "toolfails"  answers failed with the reason "fake failure", keeps the file;
//   "toolkeeps"  answers erased but keeps the file (a tool that lies);
//   "toolcrash"  ends the tool at once with status 3, without an answer;
//   "toolsleeps" or "slow"  writes its pid to srm.pid and waits a minute (to be cancelled);
//   "toolpause"  waits two seconds, then removes the file;
//   "tooljournal" removes it and notes that its name may remain in the journal;
//   "toolstops"  waits like "toolsleeps"; a stop request then removes it and answers "stopped"
//                after pass 1 of 3, as the real tool does for a file whose passes had begun.
// A stop request (SIGTERM) answers "cancelled" for any other entry under way, as the real tool
// does for a file no pass had begun on.
// Run as "srm OPTIONWORD PATH" it logs that and removes PATH, for the one-path callers.
inline const char* const kFakeBatchSrm = R"(#!/bin/bash
dir=$(dirname "$0")
child=
i=0
trap '[ -n "$child" ] && kill $child 2>/dev/null
  case "$p" in
    *toolstops*) rm -f -- "$p"; printf "%d\tstopped\tcancelled\tstopped after pass 1 of 3; removed\tpasses=1/3\n" "$i" ;;
    *) printf "%d\tcancelled\tcancelled\t-\n" "$i" ;;
  esac; exit 143' TERM INT
if [ "$1" != "--batch" ]; then
  printf '%s %s\n' "$1" "$2" >> "$dir/srm.log"
  case "$2" in *toolpause*) sleep 2 ;; esac
  exec rm -f -- "$2"
fi
while IFS= read -r -d '' word && IFS= read -r -d '' anchor && IFS= read -r -d '' rel; do
  if [ -n "$rel" ]; then p="$anchor/$rel"; else p="$anchor"; fi
  printf '%s %s\n' "$word" "$p" >> "$dir/srm.log"
  status=erased; reason=-; message=-; notes=
  case "$p" in
    *tooljournal*) rm -f -- "$p"; notes=$'\tjournal' ;;
    *toolfails*) status=failed; reason=error; message="fake failure" ;;
    *toolkeeps*) ;;
    *toolcrash*) exit 3 ;;
    *toolsleeps*|*slow*|*toolstops*) echo $$ > "$dir/srm.pid"; sleep 60 & child=$!; wait $child; child= ;;
    *toolpause*) sleep 2; rm -f -- "$p" ;;
    *)
      if [ -d "$p" ] && [ ! -L "$p" ]; then
        rmdir -- "$p" 2>/dev/null || { status=failed; reason=notempty; message="not removed: some of its contents are left"; }
      elif [ -e "$p" ] || [ -L "$p" ]; then
        rm -f -- "$p" || { status=failed; reason=error; message="unlink failed"; }
      else
        status=missing
      fi ;;
  esac
  printf '%d\t%s\t%s\t%s%s\n' "$i" "$status" "$reason" "$message" "$notes"
  i=$((i+1))
done
)";
