#pragma once

// The page's style and script, inline so that the page needs nothing beside
// it and works from a file:// address offline.

inline constexpr char qc_page_style[] = R"(
body{font:14px/1.4 system-ui,sans-serif;margin:1em 2em;color:#222;background:#fff}
h1{font-size:1.4em;margin:.2em 0}
.counts span{margin-right:1.5em;font-weight:bold}
form{margin:.8em 0;display:flex;gap:1.5em;align-items:center;flex-wrap:wrap}
table{border-collapse:collapse;width:100%}
th,td{border-bottom:1px solid #ddd;padding:4px 8px;text-align:left;vertical-align:top}
th{background:#f3f3f3;position:sticky;top:0}
ul{margin:0;padding-left:1.1em}
.fail{color:#b00020}
.not-checked{color:#8a6d00}
.pass{color:#1b6e20}
td.verdict{font-weight:bold;white-space:nowrap}
.id{font-family:monospace}
.number{color:#555}
img{width:160px;height:120px;object-fit:contain;border:1px solid #ccc;background:#fafafa}
)";

// The rows come from the page's JSON data ([verdict, channel, network,
// station, start, end, picture URL, [[check, result, message, numbers]]]),
// worst first. Those the filters let through are drawn a few hundred at a
// time, more as the reader scrolls near the end, so that thousands of rows
// open at once. The address's hash ("#verdict=fail&net=IU&sta=ANMO") sets the
// filters and follows them, so that a filtered view can be linked to. Text
// goes in as text, never as markup.
inline constexpr char qc_page_script[] = R"(
(function () {
  var keys = ['verdict', 'net', 'sta'];
  var words = {'fail': 'fail', 'not-checked': 'not checked', 'pass': 'pass'};
  var rows = JSON.parse(document.getElementById('data').textContent);
  var body = document.getElementById('rows');
  var shown = document.getElementById('shown');
  var more = document.getElementById('more');
  var chunk = 200;
  var wanted = {verdict: '', net: '', sta: ''};
  var matching = [], drawn = 0;
  function el(tag, cls, text) {
    var e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined) e.textContent = text;
    return e;
  }
  function finding(f) {
    var li = el('li', f[1]);
    li.appendChild(el('span', 'id', f[0]));
    li.appendChild(document.createTextNode(' ' + words[f[1]] + (f[2] ? ': ' + f[2] : '')));
    if (f[3]) li.appendChild(el('span', 'number', ' (' + f[3] + ')'));
    return li;
  }
  function thumbnail(r) {
    var td = el('td');
    if (!r[6]) return td;
    var a = el('a'), img = el('img');
    a.setAttribute('href', r[6]);
    img.loading = 'lazy';
    img.setAttribute('src', r[6]);
    img.alt = r[1];
    a.appendChild(img);
    td.appendChild(a);
    return td;
  }
  function row(r) {
    var tr = el('tr');
    tr.dataset.verdict = r[0];
    tr.dataset.net = r[2];
    tr.dataset.sta = r[3];
    tr.appendChild(el('td', 'verdict ' + r[0], words[r[0]]));
    tr.appendChild(el('td', '', r[1]));
    tr.appendChild(el('td', '', r[4]));
    tr.appendChild(el('td', '', r[5] || 'open'));
    var list = el('ul'), checks = el('td');
    r[7].forEach(function (f) { list.appendChild(finding(f)); });
    if (!r[7].length) list.appendChild(el('li', '', 'no check applies'));
    checks.appendChild(list);
    tr.appendChild(checks);
    tr.appendChild(thumbnail(r));
    return tr;
  }
  var near = new IntersectionObserver(function (entries) {
    if (entries[0].isIntersecting && drawn < matching.length) drawMore();
  }, {rootMargin: '1500px'});
  function drawMore() {
    var end = Math.min(drawn + chunk, matching.length);
    var part = document.createDocumentFragment();
    for (; drawn < end; drawn++) part.appendChild(row(rows[matching[drawn]]));
    body.appendChild(part);
    more.textContent = drawn < matching.length ? 'More rows below...' : '';
    near.unobserve(more);  // observed anew, it is reported at once if still near
    near.observe(more);
  }
  function apply() {
    matching = [];
    for (var i = 0; i < rows.length; i++) {
      var r = rows[i];
      if ((wanted.verdict && r[0] !== wanted.verdict) || (wanted.net && r[2] !== wanted.net) ||
          (wanted.sta && r[3] !== wanted.sta)) continue;
      matching.push(i);
    }
    body.textContent = '';
    drawn = 0;
    drawMore();
    shown.textContent = matching.length + ' of ' + rows.length + ' shown';
  }
  function readHash() {
    var parts = location.hash.replace(/^#/, '').split('&');
    keys.forEach(function (k) { wanted[k] = ''; });
    parts.forEach(function (p) {
      var at = p.indexOf('=');
      if (at < 0) return;
      var k = p.slice(0, at);
      if (keys.indexOf(k) < 0) return;
      try { wanted[k] = decodeURIComponent(p.slice(at + 1).replace(/\+/g, ' ')); } catch (e) {}
    });
    keys.forEach(function (k) { document.getElementById(k).value = wanted[k]; });
    apply();
  }
  function writeHash() {
    var parts = [];
    keys.forEach(function (k) {
      wanted[k] = document.getElementById(k).value;
      if (wanted[k]) parts.push(k + '=' + encodeURIComponent(wanted[k]));
    });
    location.hash = parts.join('&');
    apply();
  }
  keys.forEach(function (k) { document.getElementById(k).addEventListener('change', writeHash); });
  window.addEventListener('hashchange', readHash);
  readHash();
})();
)";
