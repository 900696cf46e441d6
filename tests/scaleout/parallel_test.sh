#!/bin/bash
# The GNU parallel recipes draw names of every kind as runs alone do: on
# this machine, and over ssh to an sshd of the test's own, each picture
# copied back.
# shellcheck source=tests/scaleout/common.sh
source "$(dirname "$0")/common.sh"
# Tries at connecting while sshd starts, a fifth of a second apart.
ssh_tries=50
# Jobs at once on the node: each spends most of its time logging in.
ssh_jobs=8

for tool in parallel rsync ssh ssh-keygen /usr/sbin/sshd; do
  command -v "$tool" >/dev/null || cannot_run "$tool is not installed"
done
make_responses

timeout "$recipe_seconds" "$recipes/parallel_local.sh" files.list local "${options[@]}" >local.out 2>&1 ||
  fail "the local recipe failed: $(cat local.out)"
check_pictures local

# An sshd on a free port with its own host key, letting in only a
# throwaway key; the remote PATH finds this build's afcdraw.
[[ -d /run/sshd ]] || mkdir -p -m 755 /run/sshd 2>/dev/null ||
  cannot_run "sshd needs /run/sshd, which only root can make"
ssh-keygen -q -t ed25519 -N '' -f host_key && ssh-keygen -q -t ed25519 -N '' -f user_key ||
  fail "ssh-keygen failed"
cp user_key.pub authorized_keys
port=$(free_port)
cat >sshd_config <<CONFIG
ListenAddress 127.0.0.1
Port $port
HostKey $work/host_key
AuthorizedKeysFile $work/authorized_keys
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
SetEnv PATH=$bindir:/usr/local/bin:/usr/bin:/bin
# Jobs, their copies and clean-ups log in at once: none may be turned away.
MaxStartups 100
CONFIG
cat >ssh_config <<CONFIG
Host node1
  HostName 127.0.0.1
  Port $port
  User $(id -un)
  IdentityFile $work/user_key
  IdentitiesOnly yes
  HostKeyAlias scaleout-test
  UserKnownHostsFile $work/known_hosts
  StrictHostKeyChecking yes
  BatchMode yes
CONFIG
echo "scaleout-test $(cat host_key.pub)" >known_hosts
/usr/sbin/sshd -f "$work/sshd_config" -D -E "$work/sshd.log" &
sshd_pid=$!
cleanups+=("kill $sshd_pid; wait $sshd_pid 2>/dev/null")
export PARALLEL_SSH="ssh -F $work/ssh_config"
for ((try = 0; try < ssh_tries; try++)); do
  $PARALLEL_SSH node1 true 2>/dev/null && break
  kill -0 "$sshd_pid" 2>/dev/null || cannot_run "sshd did not start: $(cat sshd.log)"
  sleep 0.2
done
((try < ssh_tries)) || cannot_run "no ssh login to the test's sshd: $(cat sshd.log)"

timeout "$recipe_seconds" "$recipes/parallel_ssh.sh" "$ssh_jobs/node1" files.list remote "${options[@]}" >remote.out 2>&1 ||
  fail "the ssh recipe failed: $(cat remote.out)"
check_pictures remote
echo "parallel: ${#listed[@]} pictures drawn here and over ssh as drawn alone"
