// The scoreboard in the browser: the record window's seven fields in its colours, the leading
// cars (of the class chosen in the corner, when cars have classes) and the cars on course.
"use strict";
(function () {
  var live = window.vantrelLive;
  var FIELDS = ["f-car", "f-name", "f-split1", "f-split2", "f-time", "f-car1", "f-car2"];
  var current = null, receivedAt = 0;

  var chooser = live.classChooser(document.getElementById("class"), function (cls) {
    reconnect(cls);
  });

  function showStandings(standings) {
    chooser.fill(standings.classes);
    if (!live.standingsOf(standings, chooser.chosen())) return;
    var box = document.getElementById("standings");
    var flags = standings.rowFlags || [];
    var items = standings.rows.slice(0, 10).map(function (row, i) {
      var line = live.el("div");
      var best = live.el("span", "best", standings.mode === "CIRCUIT" ? row[6] || row[4] : row[4]);
      if (flags[i]) best.appendChild(live.flagMark(flags[i]));
      line.append(live.el("span", "pos", row[0]), live.el("span", "no", row[1]),
                  live.el("span", "who", row[2]), best);
      return line;
    });
    box.replaceChildren.apply(box, items);
  }

  function showRunning(course) {
    var box = document.getElementById("running");
    var items = course.cars.map(function (c) {
      var clock = live.el("span", "clock", live.clockText(c.elapsedMs));
      clock.setAttribute("data-elapsed", String(c.elapsedMs));
      var item = live.el("span", "", "  " + live.text("carNumber", c.car) + " ");
      item.appendChild(clock);
      return item;
    });
    box.replaceChildren.apply(box, items);
  }

  function show(s, at) {
    current = s;
    receivedAt = at;
    var board = document.getElementById("board");
    document.body.style.background = s.board.background;
    board.style.color = s.board.color;
    FIELDS.forEach(function (id, i) {
      document.getElementById(id).textContent = s.board.fields[i] || "";
    });
    if (s.board.timeFlag) document.getElementById("f-time").appendChild(live.flagMark(s.board.timeFlag));
    showStandings(s.standings);
    showRunning(s.course);
    document.body.setAttribute("data-sequence", String(s.sequence));
  }

  var reconnect = live.connect(chooser.chosen(), show, function () {});
  setInterval(function () {
    if (current) live.tickClocks(document.getElementById("running"), receivedAt, current.course.running);
  }, 100);
})();
