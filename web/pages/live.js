// The live results: one event stream, the latest snapshot and the running clocks.
"use strict";
(function () {
  // The texts in the program's language, from /texts.js.
  var TEXTS = window.vantrelTexts || { texts: {}, modes: {}, headings: {} };
  var MODES = TEXTS.modes;
  var HEADINGS = TEXTS.headings;
  var TEXT_COLUMNS = { Name: true, Model: true, Comment: true, Class: true };
  // The time a result row shows, in each mode's layout.
  var TIME_COLUMNS = { Time: true, "E.T": true, "Lap time": true };

  // The text of `key`, its %1 replaced by `value` when one is given.
  function text(key, value) {
    var t = TEXTS.texts[key] || key;
    return value === undefined ? t : t.replace("%1", function () { return String(value); });
  }

  function el(tag, cls, content) {
    var e = document.createElement(tag);
    if (cls) e.className = cls;
    if (content !== undefined) e.textContent = content;
    return e;
  }

  // The "?" put beside a time whose result is marked for review; the tooltip says why.
  function flagMark(reason) {
    var mark = el("span", "flag", "?");
    mark.title = reason;
    return mark;
  }

  function clockText(ms) {
    var tenths = Math.floor(ms / 100);
    var m = Math.floor(tenths / 600), s = Math.floor(tenths / 10) % 60, t = tenths % 10;
    return (m < 10 ? "0" : "") + m + ":" + (s < 10 ? "0" : "") + s + "." + t;
  }

  // Connects to /events with the standings of class `cls` ("" all cars); onSnapshot(snapshot,
  // receivedAt) runs for each change. Returns the function that connects again for another class.
  function connect(cls, onSnapshot, onLink) {
    var source = null;
    function open(c) {
      if (source) source.close();
      source = new EventSource("/events" + (c ? "?class=" + encodeURIComponent(c) : ""));
      source.addEventListener("snapshot", function (e) {
        onSnapshot(JSON.parse(e.data), performance.now());
      });
      source.onopen = function () { onLink(true); };
      source.onerror = function () { onLink(false); };
    }
    open(cls);
    return open;
  }

  // The class chooser: all cars ("全体") first, then the classes in order of first appearance. The choice
  // is kept in the page's address (?class=), so a reload or a bookmark keeps the class.
  function classChooser(select, onChoose) {
    var chosen = new URLSearchParams(location.search).get("class") || "";
    var shown = null;
    function fill(classes) {
      var all = (classes || []).slice();
      if (chosen && all.indexOf(chosen) < 0) all.push(chosen);  // kept until it comes back
      var key = JSON.stringify(all);
      if (key !== shown) {
        shown = key;
        select.replaceChildren.apply(select, [""].concat(all).map(function (c) {
          var option = el("option", "", c || text("allClasses"));
          option.value = c;
          return option;
        }));
      }
      select.value = chosen;
      select.hidden = all.length === 0;
    }
    select.addEventListener("change", function () {
      chosen = select.value;
      var url = new URL(location.href);
      if (chosen) url.searchParams.set("class", chosen); else url.searchParams.delete("class");
      history.replaceState(null, "", url);
      onChoose(chosen);
    });
    fill([]);
    return { chosen: function () { return chosen; }, fill: fill };
  }

  // Whether a snapshot's standings are those of class `cls` (a stream just left may still speak).
  function standingsOf(standings, cls) {
    return (standings.class || "") === cls;
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

  // The column of a row whose time is marked: a standings row shows its total in lap order
  // (common start) and its best time otherwise; a result row its run or lap time.
  function markedColumn(headings, row) {
    var total = headings.indexOf("Total");
    if (total >= 0 && row[total]) return total;
    var best = headings.indexOf("BestLap");
    if (best >= 0) return best;
    for (var i = 0; i < headings.length; i++) if (TIME_COLUMNS[headings[i]]) return i;
    return -1;
  }

  // `flags` (may be absent): the reason of each row's mark, "" for none.
  function fillTable(table, headings, rows, flags) {
    var head = table.tHead, body = table.tBodies[0];
    var tr = el("tr");
    function cls(h) { return (TEXT_COLUMNS[h] ? "text " : "") + "c-" + h; }
    headings.forEach(function (h) {
      tr.appendChild(el("th", cls(h), HEADINGS[h] || h));
    });
    head.replaceChildren(tr);
    var fresh = document.createDocumentFragment();
    rows.forEach(function (row, k) {
      var r = el("tr");
      var flag = flags && flags[k], marked = flag ? markedColumn(headings, row) : -1;
      row.forEach(function (cell, i) {
        var td = el("td", cls(headings[i]), cell);
        if (i === marked) td.appendChild(flagMark(flag));
        r.appendChild(td);
      });
      if (flag) r.className = "flagged";
      fresh.appendChild(r);
    });
    body.replaceChildren(fresh);
  }

  window.vantrelLive = { connect: connect, clockText: clockText, tickClocks: tickClocks,
                         el: el, classChooser: classChooser, standingsOf: standingsOf,
                         flagMark: flagMark, text: text,
                         modeName: function (m) { return MODES[m] || m; } };

  if (!document.getElementById("rank")) return;  // the board page has its own view

  var current = null, receivedAt = 0, lastSequence = -1;

  function showLast(results) {
    var box = document.getElementById("last");
    var last = results.last;
    if (!last) return;
    var key = results.count + ":" + last.car + ":" + last.time + ":" + (last.flag || "");
    if (box.getAttribute("data-key") === key) return;
    box.setAttribute("data-key", key);
    var time = el("span", "time", last.time);
    if (last.flag) time.appendChild(flagMark(last.flag));
    box.replaceChildren(el("span", "car", String(last.car)), el("span", "name", last.name),
                        time,
                        el("span", "count", last.count > 0 ?
                           text(results.mode === "CIRCUIT" ? "lapNumber" : "runNumber", last.count) :
                           ""));
    box.classList.remove("fresh");
    void box.offsetWidth;
    box.classList.add("fresh");
  }

  function showCourse(course) {
    var list = document.getElementById("course");
    if (course.cars.length === 0) {
      list.replaceChildren(el("li", "none", text("noCar")));
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

  // The overall table gains each car's class when cars have classes.
  function showRank(standings) {
    chooser.fill(standings.classes);
    if (!standingsOf(standings, chooser.chosen())) return;
    var headings = standings.headings, rows = standings.rows, classes = standings.rowClasses;
    if (classes) {
      headings = headings.concat(["Class"]);
      rows = rows.map(function (row, i) { return row.concat([classes[i] || ""]); });
    }
    fillTable(document.getElementById("rank"), headings, rows, standings.rowFlags);
  }

  function show(s, at) {
    current = s;
    receivedAt = at;
    lastSequence = s.sequence;
    document.getElementById("mode").textContent = window.vantrelLive.modeName(s.standings.mode);
    showLast(s.results);
    showCourse(s.course);
    showRank(s.standings);
    fillTable(document.getElementById("results"), s.results.headings,
              s.results.rows.slice().reverse(),
              s.results.rowFlags && s.results.rowFlags.slice().reverse());
    document.getElementById("result-count").textContent = text("resultCount", s.results.count);
    document.body.setAttribute("data-sequence", String(lastSequence));
  }

  function boardLink(cls) {
    var query = cls ? "?class=" + encodeURIComponent(cls) : "";
    document.getElementById("board-link").href = "/board" + query;
  }

  var chooser = classChooser(document.getElementById("class"), function (cls) {
    boardLink(cls);
    reconnect(cls);
  });
  boardLink(chooser.chosen());
  var reconnect = connect(chooser.chosen(), show, function (on) {
    var link = document.getElementById("link");
    link.textContent = text(on ? "live" : "reconnecting");
    link.className = "link " + (on ? "on" : "off");
  });
  setInterval(function () {
    if (current) tickClocks(document.getElementById("course"), receivedAt, current.course.running);
  }, 100);
})();
