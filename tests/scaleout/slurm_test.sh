#!/bin/bash
# The Slurm recipe draws names of every kind as runs alone do, on a
# one-node Slurm of the test's own, and a retry of some tasks redraws
# exactly their shares.
# shellcheck source=tests/scaleout/common.sh
source "$(dirname "$0")/common.sh"
# Tries at seeing the node idle while the daemons start, a second apart.
start_tries=60
tasks=4
# Retrying 1 and 2 of 4 tells a step by the array's task count (2 then)
# from the step by the 4 given.
retried=(1 2)

for tool in munged slurmctld slurmd sbatch sinfo; do
  command -v "$tool" >/dev/null || [[ -x /usr/sbin/$tool ]] || cannot_run "$tool is not installed"
done
export PATH=$PATH:/usr/sbin
(($(id -u) == 0)) || cannot_run "slurmd runs jobs as their users, so only as root"
make_responses

# munged with its own key and socket, slurmctld and slurmd for localhost.
mkdir -m 700 slurm slurm/state slurm/spool || fail "cannot make Slurm's folders"
head -c 1024 /dev/urandom >slurm/munge.key && chmod 600 slurm/munge.key || fail "no munge key"
munged -F --force --socket="$work/slurm/munge.socket" --key-file="$work/slurm/munge.key" \
  --pid-file="$work/slurm/munged.pid" --seed-file="$work/slurm/munged.seed" \
  --log-file="$work/slurm/munged.log" >slurm/munged.out 2>&1 &
munged_pid=$!
cleanups+=("kill $munged_pid; wait $munged_pid 2>/dev/null")
ctld_port=$(free_port)
cat >slurm/slurm.conf <<CONFIG
ClusterName=scaleouttest
SlurmctldHost=localhost(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$(free_port "$ctld_port")
SlurmUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$work/slurm/munge.socket
StateSaveLocation=$work/slurm/state
SlurmdSpoolDir=$work/slurm/spool
SlurmctldPidFile=$work/slurm/slurmctld.pid
SlurmdPidFile=$work/slurm/slurmd.pid
SlurmctldLogFile=$work/slurm/slurmctld.log
SlurmdLogFile=$work/slurm/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
MpiDefault=none
SlurmdParameters=config_overrides
ReturnToService=2
NodeName=localhost NodeAddr=127.0.0.1 CPUs=2 State=UNKNOWN
PartitionName=test Nodes=localhost Default=YES MaxTime=INFINITE State=UP
CONFIG
export SLURM_CONF=$work/slurm/slurm.conf
slurmctld -D -i -f "$SLURM_CONF" >slurm/slurmctld.out 2>&1 &
slurmctld_pid=$!
cleanups+=("kill $slurmctld_pid; wait $slurmctld_pid 2>/dev/null")
slurmd -D -N localhost -f "$SLURM_CONF" >slurm/slurmd.out 2>&1 &
slurmd_pid=$!
cleanups+=("kill $slurmd_pid; wait $slurmd_pid 2>/dev/null")
for ((try = 0; try < start_tries; try++)); do
  [[ $(sinfo -h -o %t 2>/dev/null) == idle ]] && break
  for pid in $munged_pid $slurmctld_pid $slurmd_pid; do
    kill -0 "$pid" 2>/dev/null ||
      cannot_run "Slurm did not start: $(tail -n 5 slurm/*.out slurm/*.log 2>/dev/null)"
  done
  sleep 1
done
((try < start_tries)) ||
  cannot_run "the Slurm node is not idle: $(sinfo 2>&1; tail -n 5 slurm/*.out slurm/*.log)"

timeout "$recipe_seconds" "$recipes/slurm_array.sh" "$tasks" files.list pics "${options[@]}" >array.out 2>&1 ||
  fail "the array failed: $(cat array.out logs/* 2>/dev/null)"
check_pictures pics

# A retry redraws its tasks' shares, every tasks-th name from the task's number.
rm -f pics/*.gif
RETRY=$(IFS=,; echo "${retried[*]}") timeout "$recipe_seconds" "$recipes/slurm_array.sh" "$tasks" files.list pics \
  "${options[@]}" >retry.out 2>&1
(($? == 1)) || fail "a retry of some tasks did not end with the count's 1: $(cat retry.out)"
absent=()
for i in "${!listed[@]}"; do
  [[ " ${retried[*]} " == *" $((i % tasks)) "* ]] || absent+=("$i")
done
check_pictures pics "${absent[@]}"
grep -qx "$((${#listed[@]} - ${#absent[@]})) of ${#listed[@]} pictures in pics" retry.out ||
  fail "the retry's count is wrong: $(cat retry.out)"
# A task beyond the shares draws nothing and says why.
RETRY=$tasks timeout "$recipe_seconds" "$recipes/slurm_array.sh" "$tasks" files.list pics "${options[@]}" >beyond.out 2>&1
(($? == 1)) || fail "a task beyond the shares did not end with the count's 1: $(cat beyond.out)"
grep -q "task $tasks, but shares are numbered 0 to $((tasks - 1))" logs/*_"$tasks".log ||
  fail "a task beyond the shares did not say why: $(cat logs/*_"$tasks".log)"
check_pictures pics "${absent[@]}"
echo "slurm: ${#listed[@]} pictures in $tasks tasks as drawn alone, tasks ${retried[*]} redrawn alone"
