// The live results: one event stream, the latest snapshot and the running clocks.
"use strict";
(function () {
  var MODES = { GYMKHANA: "ジムカーナ", DRAG: "ドラッグ", CIRCUIT: "サーキット" };
  var HEADINGS = {
    Rank: "順位", Car: "No.", Name: "氏名", Model: "車両", BestLap: "ベスト", Lap: "周回",
    Total: "合計", Behind: "差", Pen: "ペナルティ", Time: "タイム", Comment: "コメント",
    Split1: "スプリット1", Split2: "スプリット2", "Lap time": "ラップ", Fly: "フライング",
    Speed: "速度", Try: "回"
  };
  var TEXT_COLUMNS = { Name: true, Model: true, Comment: true };

  function el(tag, cls, text) {
    var e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined) e.textContent = text;
    return e;
  }

  function clockText(ms) {
    var tenths = Math.floor(ms / 100);
    var m = Math.floor(tenths / 600), s = Math.floor(tenths / 10) % 60, t = tenths % 10;
    return (m < 10 ? "0" : "") + m + ":" + (s < 10 ? "0" : "") + s + "." + t;
  }

  // Connects to /events; onSnapshot(snapshot, receivedAt) runs for each change.
  function connect(onSnapshot, onLink) {
    var source = new EventSource("/events");
    source.addEventListener("snapshot", function (e) {
      onSnapshot(JSON.parse(e.data), performance.now());
    });
    source.onopen = function () { onLink(true); };
    source.onerror = function () { onLink(false); };
  }

  // Running clocks: each element with data-elapsed counts on from the snapshot's arrival.
  function tickClocks(root, receivedAt, running) {
    var now = performance.now();
    var clocks = root.querySelectorAll("[data-elapsed]");
    for (var i = 0; i < clocks.length; i++) {
      var base = Number(clocks[i].getAttribute("data-elapsed"));
      clocks[i].textContent = clockText(base + (running ? now - receivedAt : 0));
    }
  }

  function fillTable(table, headings, rows) {
    var head = table.tHead, body = table.tBodies[0];
    var tr = el("tr");
    function cls(h) { return (TEXT_COLUMNS[h] ? "text " : "") + "c-" + h; }
    headings.forEach(function (h) {
      tr.appendChild(el("th", cls(h), HEADINGS[h] || h));
    });
    head.replaceChildren(tr);
    var fresh = document.createDocumentFragment();
    rows.forEach(function (row) {
      var r = el("tr");
      row.forEach(function (cell, i) {
        r.appendChild(el("td", cls(headings[i]), cell));
      });
      fresh.appendChild(r);
    });
    body.replaceChildren(fresh);
  }

  window.vantrelLive = { connect: connect, clockText: clockText, tickClocks: tickClocks,
                         el: el, modeName: function (m) { return MODES[m] || m; } };

  if (!document.getElementById("rank")) return;  // the board page has its own view

  var current = null, receivedAt = 0, lastSequence = -1;

  function showLast(results) {
    var box = document.getElementById("last");
    var last = results.last;
    if (!last) return;
    var key = results.count + ":" + last.car + ":" + last.time;
    if (box.getAttribute("data-key") === key) return;
    box.setAttribute("data-key", key);
    box.replaceChildren(el("span", "car", String(last.car)), el("span", "name", last.name),
                        el("span", "time", last.time),
                        el("span", "count", last.count > 0 ?
                           last.count + (results.mode === "CIRCUIT" ? " 周目" : " 本目") : ""));
    box.classList.remove("fresh");
    void box.offsetWidth;
    box.classList.add("fresh");
  }

  function showCourse(course) {
    var list = document.getElementById("course");
    if (course.cars.length === 0) {
      list.replaceChildren(el("li", "none", "走行中の車両はありません"));
      return;
    }
    var items = course.cars.slice().sort(function (a, b) { return b.position - a.position; })
      .map(function (c) {
        var li = el("li");
        var clock = el("span", "clock", clockText(c.elapsedMs));
        clock.setAttribute("data-elapsed", String(c.elapsedMs));
        li.append(el("span", "car", String(c.car)), el("span", "name", c.name), clock);
        return li;
      });
    list.replaceChildren.apply(list, items);
  }

  function show(s, at) {
    current = s;
    receivedAt = at;
    lastSequence = s.sequence;
    document.getElementById("mode").textContent = window.vantrelLive.modeName(s.standings.mode);
    showLast(s.results);
    showCourse(s.course);
    fillTable(document.getElementById("rank"), s.standings.headings, s.standings.rows);
    fillTable(document.getElementById("results"), s.results.headings,
              s.results.rows.slice().reverse());
    document.getElementById("result-count").textContent = "(" + s.results.count + " 件)";
    document.body.setAttribute("data-sequence", String(lastSequence));
  }

  connect(show, function (on) {
    var link = document.getElementById("link");
    link.textContent = on ? "ライブ" : "再接続中…";
    link.className = "link " + (on ? "on" : "off");
  });
  setInterval(function () {
    if (current) tickClocks(document.getElementById("course"), receivedAt, current.course.running);
  }, 100);
})();
