#!/bin/sh
# Stands in for `corvalent2 simulate --summary-json FILE ... SCENARIO` in the sweep's
# task tests: what a run does is chosen by its scenario's initialSpeed. 0: completes,
# every figure 7; 1: refused with a message; 2: stopped from outside (SIGTERM);
# 3: crashes (SIGABRT).
figures=
scenario=
while [ $# -gt 0 ]; do
  case "$1" in
    --summary-json) figures=$2; shift ;;
    *) scenario=$1 ;;
  esac
  shift
done
case "$(tr -d ' \n' < "$scenario" | grep -o '"initialSpeed":[0-9]*')" in
  *:1) echo "scenario: refused, as the test asks" >&2; exit 2 ;;
  *:2) kill -TERM $$ ;;
  *:3) kill -ABRT $$ ;;
esac
printf '{"finalSpeed_m_s":7,"peakSpeed_m_s":7,"peakPhaseCurrent1_A":7,"peakPhaseCurrent2_A":7,"peakModIndex1":7,"peakModIndex2":7,"fieldWeakeningFrom_s":null,"maxSlip":7,"energyFromDcLink_J":7}\n' > "$figures"
