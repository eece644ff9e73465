#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# One small sweep, two of its jobs faulting, run three ways: the local runner,
# the --commands lines through GNU Parallel, and the Slurm script, submitted
# to a one-node Slurm of the test's own where Slurm and MUNGE are installed
# and the test runs as root, else its array tasks run with the environment
# Slurm gives them, both at once; the three
# summary.csv files are the same bytes, and each row is that job's own
# `run --set ... --summary`. A runner killed half-way and started again ends
# with the table and the scenes of an uninterrupted one.
#
# Usage: sweep_test.sh ZARVITONE-CLI
set -euo pipefail
source "$(dirname "$0")/../support/shelltest.sh"
cli=$(realpath "$1")
require_tools parallel parallel
make_work sweep
cd "$work"
export PATH="$(dirname "$cli"):$PATH" # the lines and the script call zarvitone-cli
fail() { echo "FAIL: $*" >&2; exit 1; }

{ zarvitone-cli new - | grep -v '^slot'
  for i in $(seq 1 24); do echo "slot $i 1 $((i % 5)).$((i % 7))1 $((i / 5 % 5)).3 $((i / 25)).7 0 0 0"; done
} >base.scene
zarvitone-cli make base.scene base.ato
sweep=(zarvitone-cli sweep base.ato --vary A1=1,1e4900 --vary dt=0.001:0.002:2 --steps 20 --cool)

status=0; "${sweep[@]}" --run --out local 2>err || status=$?
[ $status -eq 1 ] && [ "$(cat err)" = "zarvitone-cli: sweep: 2 of 4 jobs failed; their rows in local/summary.csv tell why" ] ||
  fail "local runner: status $status, $(cat err)" # no progress bar off a terminal
script -qec "zarvitone-cli sweep base.ato --vary A1=1,2 --steps 2 --run --out tty" /dev/null >tty.txt
grep -q '\[#*\] 2/2 done, 0 failed, 0 s left' tty.txt || fail "no progress bar on a terminal: $(cat tty.txt)"

"${sweep[@]}" --commands --out par >commands.txt
[ "$(wc -l <commands.txt)" -eq 4 ] || fail "$(cat commands.txt)"
status=0; parallel --will-cite --joblog par.log -j 2 <commands.txt 2>/dev/null || status=$?
[ $status -eq 2 ] || fail "parallel: status $status" # the two faulting jobs
zarvitone-cli merge par

# A controller and a node daemon on ports of their own, authenticated by a
# MUNGE daemon with a key of its own; true once the node is idle.
start_slurm() {
  [ "$(id -u)" -eq 0 ] && command -v slurmctld && command -v slurmd && command -v munged && command -v sbatch ||
    return 1
  local port=$((20000 + RANDOM % 30000)) host
  host=$(hostname -s)
  mkdir slurm-state slurm-spool
  head -c 1024 /dev/urandom >munge.key && chmod 400 munge.key
  export SLURM_CONF=$work/slurm.conf
  cat >slurm.conf <<CONF
ClusterName=zarvitone-test
SlurmctldHost=$host
SlurmUser=root
SlurmctldPort=$port
SlurmdPort=$((port + 1))
AuthType=auth/munge
AuthInfo=socket=$work/munge.socket
CredType=cred/munge
StateSaveLocation=$work/slurm-state
SlurmdSpoolDir=$work/slurm-spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
NodeName=$host CPUs=2 State=UNKNOWN
PartitionName=test Nodes=ALL Default=YES MaxTime=10 State=UP
CONF
  munged --force --key-file="$work/munge.key" --socket="$work/munge.socket" --pid-file="$work/munged.pid" \
    --log-file="$work/munged.log" --seed-file="$work/munge.seed" && slurmctld -i && slurmd || return 1
  for _ in $(seq 50); do [ "$(sinfo -h -o %t 2>/dev/null)" = idle ] && return 0; sleep 0.2; done
  return 1
}
# Each daemon gone before its folder is removed: they write there as they end.
stop_slurm() {
  local daemon pid
  for daemon in slurmd slurmctld munged; do
    [ -s "$work/$daemon.pid" ] || continue
    pid=$(cat "$work/$daemon.pid")
    kill "$pid" 2>/dev/null || continue
    for _ in $(seq 100); do [[ "$(ps -o stat= -p "$pid")" =~ ^[^Z] ]] || break; sleep 0.05; done # gone or a zombie
  done
  return 0
}
trap 'stop_slurm; rm -rf "$work"' EXIT

"${sweep[@]}" --slurm sweep.sbatch --out slurm --tasks 2
grep -q '^#SBATCH --array=0-1$' sweep.sbatch || fail "$(cat sweep.sbatch)"
if start_slurm >/dev/null 2>&1; then
  slurm="submitted to Slurm"
  # Polled: sbatch --wait looks only every few seconds.
  job=$(sbatch --parsable sweep.sbatch)
  for _ in $(seq 300); do [ -z "$(squeue -h -j "$job" 2>/dev/null)" ] && break; sleep 0.2; done
else
  slurm="array tasks run as Slurm would"
  for task in 0 1; do
    SLURM_ARRAY_JOB_ID=7 SLURM_ARRAY_TASK_ID=$task SLURM_ARRAY_TASK_MIN=0 SLURM_ARRAY_TASK_MAX=1 \
      SLURM_ARRAY_TASK_COUNT=2 SLURM_CPUS_PER_TASK=1 bash sweep.sbatch 2>/dev/null &
  done
  wait || true
fi

cmp local/summary.csv par/summary.csv && cmp local/summary.csv slurm/summary.csv || fail "the tables differ"
[ "$(wc -l <local/summary.csv)" -eq 5 ] && [ "$(grep -c ',ok,' local/summary.csv)" -eq 2 ] &&
  grep -q '^3,1e+4900,0.001,1,Floating point overflow in step 2,' local/summary.csv || fail "$(cat local/summary.csv)"
tail -n +2 local/jobs.csv | while IFS=, read -r id a1 dt; do
  zarvitone-cli run base.ato --steps 20 --cool --set "A1=$a1" --set "dt=$dt" --out one.ato --summary one.csv 2>/dev/null || true
  [ "$id,$(tail -1 one.csv)" = "$(sed -n "$((id + 1))p" local/summary.csv)" ] || fail "job $id differs from its run"
  [ ! -e "local/$id.ato" ] || cmp one.ato "local/$id.ato" || fail "job $id: end scene"
done

# Killed once the first job is done, then resumed.
again=(zarvitone-cli sweep base.ato --vary A1=0.9:1.1:8 --steps 50 --run --jobs-at-once 1)
"${again[@]}" --out whole
"${again[@]}" --out cut &
runner=$!
for _ in $(seq 600); do [ -e cut/1.csv ] && break; sleep 0.02; done
kill -KILL $runner; wait $runner 2>/dev/null || true
done_before=$(ls cut | grep -c '^[0-9]*\.csv$' || true)
[ "$done_before" -ge 1 ] && [ "$done_before" -lt 8 ] && [ ! -e cut/summary.csv ] || fail "killed after $done_before jobs"
"${again[@]}" --out cut
cmp whole/summary.csv cut/summary.csv || fail "the resumed table differs"
for id in $(seq 8); do cmp "whole/$id.ato" "cut/$id.ato" || fail "resumed job $id"; done
echo "three ways ($slurm), one table; resumed after $done_before of 8 jobs"
